#include "ui/CExtensionsDlg.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "storage/AppSettings.h"
#include "ui/ButtonText.h"
#include "ui/DialogUnits.h"

namespace {

constexpr int kMaxExtensionLength = static_cast<int>(AppSettings::kMaxExtensionLength);

// Alphabetical without regard to letter case, as a sorted list box orders its items.
bool SortsBefore(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

}  // namespace

CExtensionsDlg::CExtensionsDlg(AppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(tr("Music File Extensions"));
    // A small tool-window caption with a close box and nothing else; the size is fixed.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    CreateControls();
    FillList();
}

void CExtensionsDlg::CreateControls() {
    // Created in the order of the Tab key.
    okButton_ = new QPushButton(tr("OK"), this);
    okButton_->setObjectName("okButton");
    connect(okButton_, &QPushButton::clicked, this, &CExtensionsDlg::OnOK);

    cancelButton_ = new QPushButton(tr("Cancel"), this);
    cancelButton_->setObjectName("cancelButton");
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    newExtension_ = new QLineEdit(this);
    newExtension_->setObjectName("newExtension");
    newExtension_->setMaxLength(kMaxExtensionLength);
    newExtension_->installEventFilter(this);

    newLabel_ = new QLabel(tr("New music file extension:"), this);
    newLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    newLabel_->setBuddy(newExtension_);

    list_ = new QListWidget(this);
    list_->setObjectName("extensionList");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    listLabel_ = new QLabel(tr("Registered music file extensions:"), this);
    listLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    problem_ = new QLabel(this);
    problem_->setObjectName("problem");
    problem_->setWordWrap(true);
    problem_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    removeButton_ = new QPushButton(this);
    removeButton_->setObjectName("removeButton");
    const QString removeText = tr("&Remove Extension");
    connect(removeButton_, &QPushButton::clicked, this, &CExtensionsDlg::RemoveSelectedExtension);

    // No button is the default, not even the focused one: keyPressEvent decides what Enter does.
    for (QPushButton* button : {okButton_, cancelButton_, removeButton_}) {
        button->setAutoDefault(false);
    }

    DialogUnits du(font());
    const int margin = ButtonTextMargin(okButton_);
    du.FitText(okButton_->text(), 50, margin);
    du.FitText(cancelButton_->text(), 50, margin);
    du.FitText(newLabel_->text(), 80);
    du.FitText(listLabel_->text(), 113);
    // The remove button may break its text between words, but each word must fit.
    for (const QString& word : removeText.split(QLatin1Char(' '))) {
        du.FitText(word, 60, margin);
    }

    // Wider than the classic dialog: the edit and the list hold 16 characters.
    setFixedSize(du.Size(240, 119));
    okButton_->setGeometry(du.Rect(183, 7, 50, 14));
    cancelButton_->setGeometry(du.Rect(183, 24, 50, 14));
    newExtension_->setGeometry(du.Rect(89, 7, 84, 12));
    newLabel_->setGeometry(du.Rect(7, 8, 80, 11));
    list_->setGeometry(du.Rect(7, 39, 82, 72));
    listLabel_->setGeometry(du.Rect(7, 26, 113, 11));
    removeButton_->setGeometry(du.Rect(96, 39, 60, 24));
    problem_->setGeometry(du.Rect(96, 67, 137, 44));
    SetWrappedButtonText(removeButton_, removeText);
}

void CExtensionsDlg::FillList() {
    settings_.ResetExtensions();
    for (size_t i = 0; i < settings_.GetExtensionCount(); ++i) {
        InsertSorted(QString::fromStdString(settings_.NextExtension()));
    }
}

QStringList CExtensionsDlg::GetListedExtensions() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i) {
        out << list_->item(i)->text();
    }
    return out;
}

void CExtensionsDlg::InsertSorted(const QString& extension) {
    int row = 0;
    while (row < list_->count() && !SortsBefore(extension, list_->item(row)->text())) {
        ++row;
    }
    list_->insertItem(row, extension);
}

QString CExtensionsDlg::ProblemText(AppSettings::ExtensionCheck::Problem problem) {
    using Problem = AppSettings::ExtensionCheck::Problem;
    switch (problem) {
        case Problem::None:
            break;
        case Problem::Empty:
            return tr("A file type cannot be empty.");
        case Problem::Blank:
            return tr("A file type cannot hold blanks or control characters.");
        case Problem::Wildcard:
            return tr("A file type cannot hold * or ?.");
        case Problem::Separator:
            return tr("A file type cannot hold / or \\.");
        case Problem::TooLong:
            return tr("A file type has at most %1 characters.").arg(kMaxExtensionLength);
    }
    return QString();
}

void CExtensionsDlg::AddTypedExtension() {
    const QString text = newExtension_->text();
    problem_->clear();
    if (text.isEmpty()) {
        return;
    }
    // The core's check: lower-cased, a leading dot dropped, unusable values refused with the
    // reason shown below the buttons.
    const AppSettings::ExtensionCheck check = AppSettings::CheckExtension(text.toStdString());
    if (!check.ok()) {
        problem_->setText(ProblemText(check.problem));
        return;
    }
    const QString extension = QString::fromStdString(check.extension);
    for (int i = 0; i < list_->count(); ++i) {
        if (QString::compare(list_->item(i)->text(), extension, Qt::CaseInsensitive) == 0) {
            return;
        }
    }
    InsertSorted(extension);
}

void CExtensionsDlg::RemoveSelectedExtension() {
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->isSelected()) {
            delete list_->takeItem(i);
            return;
        }
    }
}

void CExtensionsDlg::OnOK() {
    settings_.RemoveAllExtensions();
    for (const QString& extension : GetListedExtensions()) {
        settings_.AddExtension(extension.toStdString());
    }
    accept();
}

void CExtensionsDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    newExtension_->setFocus();
}

void CExtensionsDlg::keyPressEvent(QKeyEvent* event) {
    // Enter presses a focused push button; anywhere else it adds the typed extension and
    // empties the edit, and the dialog stays open.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && mods == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        AddTypedExtension();
        newExtension_->clear();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CExtensionsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == newExtension_ && event->type() == QEvent::FocusOut) {
        AddTypedExtension();
    }
    return QDialog::eventFilter(watched, event);
}

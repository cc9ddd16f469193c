// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CExtensionsDlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "storage/AppSettings.h"
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

    removeButton_ = new QPushButton(tr("&Remove Extension"), this);
    removeButton_->setObjectName("removeButton");
    connect(removeButton_, &QPushButton::clicked, this, &CExtensionsDlg::RemoveSelectedExtension);
    addButton_ = new QPushButton(tr("&Add"), this);
    addButton_->setObjectName("addButton");
    connect(addButton_, &QPushButton::clicked, this, [this] {
        AddTypedExtension();
        newExtension_->clear();
        newExtension_->setFocus();
    });

    // No button is the default, not even the focused one: keyPressEvent decides what Enter does.
    for (QPushButton* button : {okButton_, cancelButton_, removeButton_, addButton_}) {
        button->setAutoDefault(false);
    }
    LayOut();
}

// The desktop's way: the fields at the top, the list below, OK and Cancel at the bottom right.
void CExtensionsDlg::LayOut() {
    auto* grid = new QGridLayout;
    grid->addWidget(newLabel_, 0, 0);
    grid->addWidget(newExtension_, 0, 1);
    grid->addWidget(addButton_, 0, 2);
    grid->addWidget(listLabel_, 1, 0, 1, 3);
    grid->addWidget(list_, 2, 0, 2, 2);
    grid->addWidget(removeButton_, 2, 2, Qt::AlignTop);
    grid->addWidget(problem_, 3, 2);
    grid->setRowStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
    list_->setMinimumHeight(list_->fontMetrics().height() * 8);
    problem_->setMinimumWidth(removeButton_->sizeHint().width());
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
    // A type still in the edit counts, also where OK took no focus from it (the window was
    // not active yet, or OK was pressed by its key).
    AddTypedExtension();
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

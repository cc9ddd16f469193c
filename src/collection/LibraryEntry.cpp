#include "collection/LibraryEntry.h"

#include <utility>

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}
#else
constexpr char kSeparator = '/';
bool IsSeparator(char c) {
    return c == '/';
}
#endif

}  // namespace

LibraryEntry::LibraryEntry(LibraryDirectory* owner, std::string name, int flag)
    : owner_(owner), name_(std::move(name)), flag_(flag) {}

std::string LibraryEntry::GetFullPath() const {
    std::string path = GetDirectory();
    // A drive root or a path typed with a trailing separator already ends in one.
    if (path.empty() || !IsSeparator(path.back())) {
        path += kSeparator;
    }
    path += name_;
    return path;
}

#include "ByteText.h"

#include <algorithm>
#include <cctype>

namespace {

int Lower(char c) { return std::tolower(static_cast<unsigned char>(c)); }

}  // namespace

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Bytes(const QString& text) { return text.toLatin1().toStdString(); }

std::string PadLeft(std::string_view text, std::size_t width) {
    if (text.size() >= width) return std::string(text);
    return std::string(width - text.size(), '0') + std::string(text);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

bool LessNoCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

std::size_t SortedInsertPosition(std::size_t count,
                                 const std::function<std::string(std::size_t)>& textAt,
                                 std::string_view text) {
    std::size_t position = count;
    while (position > 0 && LessNoCase(text, textAt(position - 1))) --position;
    return position;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteText.h"

#include <algorithm>

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return LowerAscii(c); });
    return lower;
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Bytes(const QString& text) { return text.toLatin1().toStdString(); }

std::string Mid(std::string_view text, std::size_t pos, std::size_t count) {
    if (pos >= text.size()) return std::string();
    return std::string(text.substr(pos, count));
}

std::string PadLeft(std::string_view text, std::size_t width) {
    if (text.size() >= width) return std::string(text);
    return std::string(width - text.size(), '0') + std::string(text);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

bool LessNoCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(LowerAscii(x)) <
               static_cast<unsigned char>(LowerAscii(y));
    });
}

int FindStartingWith(std::size_t count, std::size_t start,
                     const std::function<std::string(std::size_t)>& textAt,
                     std::string_view prefix) {
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t i = (start + step) % count;
        if (StartsWithNoCase(textAt(i), prefix)) return static_cast<int>(i);
    }
    return -1;
}

std::size_t SortedInsertPosition(std::size_t count,
                                 const std::function<std::string(std::size_t)>& textAt,
                                 std::string_view text) {
    std::size_t position = count;
    while (position > 0 && LessNoCase(text, textAt(position - 1))) --position;
    return position;
}

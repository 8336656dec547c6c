#include "report/HtmlText.h"

#include "model/Windows1252.h"

#include <charconv>

namespace tarn {

namespace {

char hexDigit(unsigned digit)
{
    return static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10);
}

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isNonCharacter(char32_t code)
{
    return (code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE;
}

void appendCode(std::string& out, char32_t code)
{
    switch (code) {
    case '&':
        out += "&amp;";
        return;
    case '<':
        out += "&lt;";
        return;
    case '>':
        out += "&gt;";
        return;
    case '"':
        out += "&quot;";
        return;
    case '\'':
        out += "&#39;";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
        out += "\\x";
        out += hexDigit((code >> 4) & 0xF);
        out += hexDigit(code & 0xF);
    } else if (isNonCharacter(code) || (code >= 0xD800 && code <= 0xDFFF)) {
        appendUtf8(out, 0xFFFD);
    } else {
        appendUtf8(out, code);
    }
}

bool isPlain(char16_t c)
{
    return c >= 0x20 && c < 0x7F && c != '&' && c != '<' && c != '>' && c != '"' && c != '\'';
}

} // namespace

void appendHtmlText(std::string& out, QStringView text)
{
    const char16_t* c = text.utf16();
    const char16_t* const end = c + text.size();
    while (c != end) {
        if (isPlain(*c)) {
            out += static_cast<char>(*c++);
            continue;
        }
        char32_t code = *c++;
        if (code >= 0xD800 && code < 0xDC00 && c != end && *c >= 0xDC00 && *c <= 0xDFFF)
            code = 0x10000 + ((code - 0xD800) << 10) + (*c++ - 0xDC00);
        appendCode(out, code);
    }
}

void appendHtmlText(std::string& out, QByteArrayView windows1252)
{
    for (const char byte : windows1252) {
        const char16_t c = fromWindows1252(byte);
        if (isPlain(c))
            out += static_cast<char>(c);
        else
            appendCode(out, c);
    }
}

void appendNumber(std::string& out, long long number)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

} // namespace tarn

#pragma once

#include <string>

#include <QByteArrayView>
#include <QStringView>

namespace tarn {

// Appends free text (names, control texts, paths) to HTML or SVG markup as UTF-8, so that it
// shows as text in element content and in quoted attributes alike: & < > " ' become
// references, and characters that a strict HTML or XML parser refuses (C0 and C1 controls,
// DEL, noncharacters, lone surrogates) are shown as visible escapes such as \n, \t or \x01.
void appendHtmlText(std::string& out, QStringView text);
// The same for an 8-bit Windows-1252 text as the unit's files hold it.
void appendHtmlText(std::string& out, QByteArrayView windows1252);
// Plain ASCII known to need no escaping (markup, numbers).
inline void appendAscii(std::string& out, const char* text)
{
    out += text;
}
void appendNumber(std::string& out, long long number);

} // namespace tarn

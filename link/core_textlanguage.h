#pragma once
// The language a text is made in: the interface's (the installed translation), or the
// program's own Russian source text, which the set-up journals keep whatever the interface
// language so that one journal never mixes languages.

#include <QCoreApplication>
#include <QString>

enum class TextLanguage {
    Interface, // translated in the given context
    Russian,   // the source text as written in the program
};

inline QString textIn(TextLanguage language, const char *context, const char *source)
{
    return language == TextLanguage::Russian ? QString::fromUtf8(source)
                                             : QCoreApplication::translate(context, source);
}

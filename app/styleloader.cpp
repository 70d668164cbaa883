#include "app/styleloader.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QSettings>
#include <QStyle>

namespace {
// where the chosen look is remembered
const char DarkLookKey[] = "look/dark";
} // namespace

StyleLoader *StyleLoader::attach(const QKeySequence &key)
{
    auto *loader = new StyleLoader(qApp, key);
    qApp->installEventFilter(loader);
    return loader;
}

StyleLoader::StyleLoader(QObject *parent, const QKeySequence &key)
    : QObject(parent)
    , m_key(key)
{
}

bool StyleLoader::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    // modifiers are left out: Shift+F5 and Ctrl+F5 count as F5
    const QKeySequence pressed(static_cast<QKeyEvent *>(event)->key());
    if (pressed != m_key)
        return QObject::eventFilter(watched, event);
    // a held key switches once
    if (!static_cast<QKeyEvent *>(event)->isAutoRepeat())
        toggleLook();
    return true;
}

void StyleLoader::applySavedLook()
{
    // the light look is the style's own: nothing to apply
    m_dark = savedDarkLook();
    if (m_dark)
        applyDarkLook();
}

void StyleLoader::toggleLook()
{
    m_dark = !m_dark;
    if (m_dark)
        applyDarkLook();
    else
        applyLightLook();
    QSettings().setValue(QLatin1String(DarkLookKey), m_dark);
}

bool StyleLoader::savedDarkLook()
{
    return QSettings().value(QLatin1String(DarkLookKey), false).toBool();
}

void StyleLoader::applyLightLook()
{
    QApplication::setPalette(QApplication::style()->standardPalette());
    qApp->setStyleSheet(QString());
}

void StyleLoader::applyDarkLook()
{
    QPalette p = QApplication::palette();
    const QColor dark(53, 53, 53);
    const QColor blue(42, 130, 218);
    p.setBrush(QPalette::Window, dark);
    p.setBrush(QPalette::WindowText, QColor(Qt::white));
    p.setBrush(QPalette::Base, QColor(25, 25, 25));
    p.setBrush(QPalette::AlternateBase, dark);
    p.setBrush(QPalette::ToolTipBase, QColor(Qt::white));
    p.setBrush(QPalette::ToolTipText, QColor(Qt::white));
    p.setBrush(QPalette::Text, QColor(Qt::white));
    p.setBrush(QPalette::Button, dark);
    p.setBrush(QPalette::ButtonText, QColor(Qt::white));
    p.setBrush(QPalette::BrightText, QColor(Qt::red));
    p.setBrush(QPalette::Link, blue);
    p.setBrush(QPalette::Highlight, blue);
    p.setBrush(QPalette::HighlightedText, QColor(Qt::black));
    // disabled controls must look disabled: grey text, flatter buttons
    const QColor greyText(128, 128, 128);
    p.setBrush(QPalette::Disabled, QPalette::WindowText, greyText);
    p.setBrush(QPalette::Disabled, QPalette::Text, greyText);
    p.setBrush(QPalette::Disabled, QPalette::ButtonText, greyText);
    p.setBrush(QPalette::Disabled, QPalette::Button, QColor(45, 45, 45));
    p.setBrush(QPalette::Disabled, QPalette::Light, QColor(45, 45, 45));
    QApplication::setPalette(p);
    qApp->setStyleSheet(QStringLiteral(
        "QToolTip { color: #ffffff; background-color: #2a82da; border: 1px solid white; }"));
}

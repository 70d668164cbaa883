#pragma once

#include <QKeySequence>
#include <QObject>

// Application-wide key handler: the trigger key (F5) switches every window between the light
// look and the dark look. The look chosen is remembered and comes back at the next start.
class StyleLoader : public QObject
{
public:
    // Creates the loader as a child of the application and installs it as its event filter.
    static StyleLoader *attach(const QKeySequence &key);

    StyleLoader(QObject *parent, const QKeySequence &key);

    bool eventFilter(QObject *watched, QEvent *event) override;

    // Applies the look saved by the last switch; the light one, the style's own, is left as it
    // is.
    void applySavedLook();
    // Applies the other look and saves it for the next start.
    void toggleLook();
    bool isDark() const { return m_dark; }

    // Whether the dark look was chosen the last time.
    static bool savedDarkLook();

    static void applyDarkLook();
    // The style's standard palette, without the dark look's tool tip style.
    static void applyLightLook();

private:
    QKeySequence m_key;
    bool m_dark = false;
};

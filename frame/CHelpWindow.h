#pragma once

// The help window: the user guide shipped with the program, one page in
// German and one in English, in a text browser. The page follows the
// user-interface language in use: each time the window is shown, and while it
// is open, at every switch of the language.

#include <QWidget>

class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    // The guide's pages, compiled into the program.
    static constexpr const char* kGermanPage = "qrc:/help/guide.de.html";
    static constexpr const char* kEnglishPage = "qrc:/help/guide.en.html";

    explicit CHelpWindow(QWidget* parent = nullptr);

    // German while the program shows its own texts (no translation, or an
    // original-language file, or one named "Deutsch..."), else English.
    static bool UseGermanGuide();

    // Loads the page of the language in use and brings the window up; over
    // a modal dialog (its Help button) the window is modal itself, so that it
    // can be read and closed.
    void ShowGuide();
    // Loads the page of the language in use.
    void LoadGuide();
    QTextBrowser* GetBrowser() const { return m_browser; }

protected:
    // Stays above the window it helps with: that window becomes the transient
    // parent before a window manager maps this one.
    void showEvent(QShowEvent* event) override;

private:
    QTextBrowser* m_browser;
};

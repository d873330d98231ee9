#pragma once

// A language written to a temporary folder and opened by a document the way
// the editor opens its start-up file, with one shown view of the document.

#include "CLanguageFile.h"
#include "CTransDoc.h"
#include "DocumentDialogs.h"
#include "LanguageFileIO.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

template <class View>
class DocumentAndView {
public:
    void Open(const CLanguageFile& language, QSize size, const QString& name = QStringLiteral("test.tra"))
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(name);
        ASSERT_FALSE(WriteLanguageFile(language, path.toStdString()));
        m_startup = path.toStdU16String();
        InstallDocumentDialogs(doc);
        doc.SetStartupFileSource(&m_startup);
        ASSERT_TRUE(doc.OpenLanguage());
        view = std::make_unique<View>();
        view->resize(size);
        doc.AddView(view.get());
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->OnInitialUpdate();
    }

    QTemporaryDir dir;
    QString path;
    CTransDoc doc;
    std::unique_ptr<View> view;

private:
    std::u16string m_startup;
};

#pragma once

// The flag dialog (template 158): the first images of the flag strip in an
// icon list; OK takes the selected image's index.

#include "CDialog.h"
#include "CImageList.h"

#include <memory>

class QListWidget;

class CFlagDialog : public CDialog {
    Q_OBJECT
public:
    // Images offered; the strip holds more than this.
    static constexpr int kOfferedFlags = 152;
    static constexpr COLORREF kMaskColor = 0xC0C0C0;

    explicit CFlagDialog(QWidget* parent = nullptr);
    ~CFlagDialog() override;

    // The index chosen with OK; -1 before, on cancel, or with nothing selected.
    int GetChosenFlag() const { return m_chosenFlag; }
    QListWidget* GetList() const { return m_list; }

    void OnOK() override;

protected:
    bool OnInitDialog() override;

private:
    void OnListClick();
    void OnListDoubleClick();
    int SelectedCount() const;

    QListWidget* m_list = nullptr;
    std::unique_ptr<CImageList> m_images;
    int m_chosenFlag = -1;
};

#include "CFlagDialog.h"

#include "resource.h"

#include <QListWidget>

#include <algorithm>

CFlagDialog::CFlagDialog(QWidget* parent) : CDialog(IDD_FLAGDIALOG, parent) {}

CFlagDialog::~CFlagDialog() = default;

bool CFlagDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    GetDlgItem(IDOK).EnableWindow(false);
    m_list = qobject_cast<QListWidget*>(GetDlgItem(IDC_FLAG_LIST).GetWidget());
    if (!m_list)
        return true;

    m_images = std::make_unique<CImageList>();
    if (m_images->Create(UINT(IDB_FLAG_STRIP), 32, 32, kMaskColor)) {
        m_list->setIconSize(QSize(32, 32));
        // The labels are empty: the selection must show on the flag itself.
        m_list->setStyleSheet(QStringLiteral(
            "QListView::item:selected { background: palette(highlight); }"));
        const int count = std::min(kOfferedFlags, m_images->GetImageCount());
        for (int k = 0; k < count; ++k)
            new QListWidgetItem(m_images->GetIcon(k), QString(), m_list);
    }
    // Keyboard changes of the selection count as well, so OK never ends the
    // dialog without a flag.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { OnListClick(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { OnListDoubleClick(); });
    return true;
}

int CFlagDialog::SelectedCount() const { return m_list ? int(m_list->selectedItems().size()) : 0; }

void CFlagDialog::OnListClick() { GetDlgItem(IDOK).EnableWindow(SelectedCount() == 1); }

void CFlagDialog::OnListDoubleClick()
{
    if (SelectedCount() == 1)
        OnOK();
}

void CFlagDialog::OnOK()
{
    m_chosenFlag = -1;
    if (m_list && m_list->count() > 0) {
        const QList<QListWidgetItem*> selected = m_list->selectedItems();
        if (!selected.isEmpty())
            m_chosenFlag = m_list->row(selected.front());
    }
    CDialog::OnOK();
}

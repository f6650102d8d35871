#include "types/data_type_dialog_controls.h"
#include "types/new_more_dlg.h"

#include "core/text_tables.h"

#include "platform/ui/data_exchange.h"
#include "platform/ui/edit.h"
#include "types/batch_member_text.h"

namespace {

constexpr int kLineCountFormat = 23;  ///< "数据个数：%d" in the tag import texts

}  // namespace

void CNewMoreDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, kBatchTextEdit, m_text);
    DDX_Text(dx, kBatchCountEdit, m_count);
}

void CNewMoreDlg::CountLines() {
    m_count.Format(Text(kTagImportTexts, kLineCountFormat).GetString(), static_cast<int>(BatchLines(m_text).size()));
}

void CNewMoreDlg::OnSample() {
    m_text = BatchSampleText();
    CountLines();
    UpdateData(FALSE);
}

void CNewMoreDlg::OnTextChange() {
    UpdateData(TRUE);
    CountLines();
    UpdateData(FALSE);
}

BOOL CNewMoreDlg::PreTranslateMessage(MSG* message) {
    if (message->message == WM_KEYDOWN && message->wParam == VK_TAB) {
        if (CEdit* edit = static_cast<CEdit*>(GetDlgItem(kBatchTextEdit))) {
            edit->ReplaceSel(u"\t", TRUE);
            edit->SendMessage(EM_SCROLLCARET);
        }
        return TRUE;
    }
    return CDialog::PreTranslateMessage(message);
}

BEGIN_MESSAGE_MAP(CNewMoreDlg, CDialog)
    ON_BN_CLICKED(kBatchSampleButton, &CNewMoreDlg::OnSample)
    ON_EN_CHANGE(kBatchTextEdit, &CNewMoreDlg::OnTextChange)
END_MESSAGE_MAP()

#include "app/tools/statistics_dialog.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "app/framework/dialog.h"
#include "app/resources/resource.h"
#include "app/tools/statistics_table.h"
#include "hooklib/quordll.h"
#include "platform/clipboard.h"

namespace quor {
namespace {

constexpr UINT_PTR kRefreshTimer = 100;
constexpr UINT kRefreshMs = 100;

struct Column {
    int title;  // string id, 0 for none
    int width;  // pixels
};
constexpr Column kColumns[kStatisticsColumns] = {
    {0, 75}, {IDS_ST_TOTAL, 120}, {IDS_ST_PER_HOUR, 100}, {IDS_ST_RATIO, 100}};

// The named rows' labels, in the order StatisticsLabels takes them.
constexpr int kNamedLabels[6] = {IDS_ST_DISTANCE,     IDS_ST_LEFT_CLICK, IDS_ST_MIDDLE_CLICK,
                                 IDS_ST_RIGHT_CLICK,  IDS_ST_WHEEL_UP,   IDS_ST_WHEEL_DOWN};

std::wstring LoadWide(HINSTANCE instance, int id) {
    wchar_t text[256] = {};
    ::LoadStringW(instance, id, text, 256);
    return text;
}

// The cells' texts are ASCII.
std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The clipboard's plain text is in the system's code page.
std::string InSystemCodePage(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string converted(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), converted.data(), size, nullptr,
                              nullptr);
    return converted;
}

StatisticsCounters CountersOfLibrary() noexcept {
    StatisticsCounters counters;
    counters.totalTime = GetStatTotalTime();
    counters.travel = GetStatMouseMove();
    for (int i = 0; i < 5; ++i) counters.mouse[i] = GetStatMouse(i);
    for (int i = 0; i < 26; ++i) counters.keys[i] = GetStatKeyboard(i);
    return counters;
}

class StatisticsDialog : public Dialog {
private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR&) noexcept override {
        switch (msg) {
            case WM_TIMER:  // void OnTimer(UINT_PTR id)
                if (wParam != kRefreshTimer) return false;
                Refresh();
                return true;
            case WM_CLOSE:  // void OnClose(): then the dialog manager's own handling, which ends it
            case WM_DESTROY:
                ::KillTimer(hwnd(), kRefreshTimer);
                return false;
            case WM_COMMAND:  // void OnCommand(UINT id, UINT code)
                if (HIWORD(wParam) != BN_CLICKED) return false;
                if (LOWORD(wParam) == IDC_ST_RESET) {
                    OnReset();
                    return true;
                }
                if (LOWORD(wParam) == IDC_ST_COPY) {
                    OnCopy();
                    return true;
                }
                return false;
            default: return false;
        }
    }

    HWND Table() const noexcept { return Item(IDC_ST_TABLE); }

    void OnInitDialog() noexcept override {
        ::SetTimer(hwnd(), kRefreshTimer, kRefreshMs, nullptr);
        PlaceAtWorkAreaCorner();
        for (int column = 0; column < kStatisticsColumns; ++column) {
            std::wstring title = kColumns[column].title ? LoadWide(instance_, kColumns[column].title) : L"";
            LVCOLUMNW lvc{};
            lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
            lvc.fmt = LVCFMT_RIGHT;
            lvc.cx = kColumns[column].width;
            lvc.pszText = title.data();
            lvc.iSubItem = column;
            ::SendMessageW(Table(), LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&lvc));
        }
        std::array<std::wstring, 6> named;
        for (int i = 0; i < 6; ++i) named[i] = LoadWide(instance_, kNamedLabels[i]);
        labels_ = StatisticsLabels(named);
        for (int row = 0; row < kStatisticsRows; ++row) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = labels_[row].data();
            ::SendMessageW(Table(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        ::SendMessageW(Table(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    }

    void Refresh() noexcept {
        const StatisticsCounters counters = CountersOfLibrary();
        const std::string total = TotalTimeText(counters.totalTime);
        if (total != totalShown_) {
            ::SetDlgItemTextA(hwnd(), IDC_ST_TOTAL_TIME, total.c_str());
            totalShown_ = total;
        }
        // Only the cells whose text changed are written, so the others do not flicker.
        const StatisticsCells next = StatisticsCellsFor(counters);
        for (const CellPlace& place : CellsToWrite(shown_, next)) {
            std::wstring text = Widen(next[place.row][place.column]);
            LVITEMW item{};
            item.iSubItem = place.column;
            item.pszText = text.data();
            ::SendMessageW(Table(), LVM_SETITEMTEXTW, place.row, reinterpret_cast<LPARAM>(&item));
        }
        shown_ = next;
    }

    void OnReset() noexcept {
        const std::wstring question = LoadWide(instance_, IDS_ST_RESET_QUESTION);
        if (Message(question.c_str(), MB_OKCANCEL) == IDOK) StatClear();
    }

    void OnCopy() noexcept {
        std::array<std::string, kStatisticsRows> labels;
        for (int row = 0; row < kStatisticsRows; ++row) labels[row] = InSystemCodePage(labels_[row]);
        if (CopyTextToClipboard(StatisticsCopyText(GetStatTotalTime(), labels, shown_)) == ClipboardCopy::kFailed)
            Message(kClipboardRefused, MB_OK | MB_ICONEXCLAMATION);
    }

    std::array<std::wstring, kStatisticsRows> labels_;
    StatisticsCells shown_{};  // what the table's cells hold now
    std::string totalShown_;
};

}  // namespace

void RunStatisticsDialog(HINSTANCE instance, HWND owner) noexcept {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    StatisticsDialog dialog;
    dialog.RunModal(instance, IDD_STATISTICS, owner);
}

}  // namespace quor

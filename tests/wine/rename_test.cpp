// The rename assistant in a list view of another process: the edit box of an in-place rename
// selects the name, F2 cycles, arrows move to the neighbour or collapse the selection.
#include "tests/wine/support/hooked_fixture.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using bench::TargetProcess;
using bench::WindowSpec;

// Code page 932 text of a UTF-16 name, as a Japanese program hands it to the list view.
std::string Cp932(const std::wstring& text) {
    char out[512] = {};
    ::WideCharToMultiByte(932, 0, text.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
}

WindowSpec FileList(const char* title, std::vector<std::string> items, RECT rect = {100, 100, 500, 400}) {
    WindowSpec spec = bench::WindowAt(title, rect);
    spec.kind = "folder";
    spec.reportView = true;
    spec.items = std::move(items);
    return spec;
}

HWND EditOf(HWND list) { return reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETEDITCONTROL, 0, 0)); }

std::wstring Text(HWND edit) {
    wchar_t text[512] = {};
    ::SendMessageW(edit, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// The selected part of the edit box's text, and where it starts: "name@0".
std::wstring Selected(HWND edit) {
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = Text(edit);
    if (start > end || end > text.size()) return L"?";
    return text.substr(start, end - start) + L"@" + std::to_wstring(start);
}

bool SelectionBecomes(HWND edit, const std::wstring& expected) {
    return bench::WaitFor([&] { return Selected(edit) == expected; }, 3000);
}

std::string Narrow(const std::wstring& s) {
    char out[512] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
}

void Press(WORD vk) {
    bench::Key(vk, true);
    bench::Key(vk, false);
}

class RenameTest : public bench::HookedTest {
protected:
    void SetUp() override {
        bench::HookedTest::SetUp();
        SetExpRename(1);
    }
    void TearDown() override {
        SetExpRename(0);
        bench::HookedTest::TearDown();
    }
    // Starts renaming an item as the list's program does (F2 in a file list), the list's window in
    // front; returns the edit box.
    static HWND Rename(const TargetProcess& p, int item) {
        const HWND list = p.listView();
        ::SendMessageW(list, LVM_SETSELECTIONMARK, 0, item);
        const auto edit = reinterpret_cast<HWND>(::SendMessageA(list, LVM_EDITLABELA, item, 0));
        EXPECT_NE(edit, nullptr) << "item " << item << " opened no edit box";
        return edit;
    }
    static void EndRename(HWND edit) {
        Press(VK_ESCAPE);
        EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(edit); })) << "the edit box closes";
    }
};

TEST_F(RenameTest, F2CyclesNameExtensionAndWholeTextFromTheNameWhateverTheListSelected) {
    const std::wstring japanese = L"報告書.最終.txt";
    // A list view that selects the whole name as its edit opens, and one that selects the name
    // without its extension, as current shells do.
    for (const int shell : {0, 3}) {
        bench::WindowSpec spec = FileList("rename cycle", {"report.final.txt", "README", ".profile", Cp932(japanese)});
        spec.ownEditProc = shell;
        TargetProcess files(spec);
        ASSERT_TRUE(files.Activate());
        struct Case {
            int item;
            std::vector<std::wstring> selections;  // on opening, then after each F2
        };
        const Case cases[] = {
            {0, {L"report.final@0", L"txt@13", L"report.final.txt@0", L"report.final@0"}},
            {1, {L"README@0", L"README@0"}},
            {2, {L"@0", L"profile@1", L".profile@0", L"@0"}},
            // Counted in the edit box's own characters: the selection ends exactly at the last dot.
            {3, {L"報告書.最終@0", L"txt@7", japanese + L"@0"}},
        };
        for (const Case& c : cases) {
            const HWND edit = Rename(files, c.item);
            for (size_t step = 0; step < c.selections.size(); ++step) {
                if (step > 0) Press(VK_F2);
                EXPECT_TRUE(SelectionBecomes(edit, c.selections[step]))
                    << "list " << shell << ", item " << c.item << ", step " << step << ": " << Narrow(Selected(edit))
                    << " instead of " << Narrow(c.selections[step]);
            }
            EndRename(edit);
        }
    }
}

TEST_F(RenameTest, UpAndDownMoveTheRenameToTheNeighbour) {
    TargetProcess files(FileList("rename neighbours", {"a.txt", "b.txt", "c.txt"}));
    ASSERT_TRUE(files.Activate());
    const HWND list = files.listView();
    const HWND first = Rename(files, 1);
    ASSERT_TRUE(SelectionBecomes(first, L"b@0"));
    Press('X');  // types over the selected name
    ASSERT_TRUE(bench::WaitFor([&] { return Text(first) == L"x.txt"; })) << "1. typed: " << Narrow(Text(first));
    Press(VK_DOWN);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(first) && EditOf(list) != nullptr; })) << "1. Down";
    const HWND second = EditOf(list);
    EXPECT_TRUE(SelectionBecomes(second, L"c@0")) << "1. the item below, its name selected";
    EXPECT_EQ(::SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), 2);

    Press(VK_DOWN);
    Press(VK_F2);  // still handled by the same edit box: Down on the last item swallowed the key
    EXPECT_TRUE(SelectionBecomes(second, L"txt@2")) << "2. Down on the last item keeps the edit";
    EXPECT_EQ(EditOf(list), second);

    Press(VK_PRIOR);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(second) && EditOf(list) != nullptr; })) << "3. Page Up";
    const HWND third = EditOf(list);
    EXPECT_TRUE(SelectionBecomes(third, L"x@0")) << "3. the item above carries the name typed in step 1";
    Press(VK_UP);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(third) && EditOf(list) != nullptr; })) << "4. Up";
    EXPECT_TRUE(SelectionBecomes(EditOf(list), L"a@0"));
    EndRename(EditOf(list));
}

TEST_F(RenameTest, ArrowsCollapseTheSelectionAndShiftStillExtends) {
    TargetProcess files(FileList("rename arrows", {"report.txt"}));
    ASSERT_TRUE(files.Activate());
    const HWND edit = Rename(files, 0);
    ASSERT_TRUE(SelectionBecomes(edit, L"report@0"));
    Press(VK_RIGHT);
    EXPECT_TRUE(SelectionBecomes(edit, L"@6")) << "1. Right: the caret after the name";
    Press(VK_F2);
    Press(VK_F2);
    ASSERT_TRUE(SelectionBecomes(edit, L"txt@7"));
    Press(VK_LEFT);
    EXPECT_TRUE(SelectionBecomes(edit, L"@7")) << "2. Left: the caret at the selection's start";
    {
        bench::HeldKey shift(VK_SHIFT);
        Press(VK_RIGHT);
        EXPECT_TRUE(SelectionBecomes(edit, L"t@7")) << "3. Shift+Right extends as usual";
    }
    Press(VK_LEFT);
    EXPECT_TRUE(SelectionBecomes(edit, L"@7")) << "4. Left collapses the one-letter selection";
    Press(VK_LEFT);
    EXPECT_TRUE(SelectionBecomes(edit, L"@6")) << "5. nothing selected: the edit box moves the caret";
    EndRename(edit);
}

TEST_F(RenameTest, SwitchedOffTheEditBoxIsTheSystemsOwn) {
    SetExpRename(0);
    TargetProcess files(FileList("rename off", {"report.txt"}));
    ASSERT_TRUE(files.Activate());
    const HWND edit = Rename(files, 0);
    ASSERT_TRUE(SelectionBecomes(edit, L"report.txt@0")) << "the whole name, as the list view selects it";
    Press(VK_F2);
    Press(VK_LEFT);
    EXPECT_TRUE(SelectionBecomes(edit, L"@9")) << "F2 did nothing, and Left moved the caret one character left";
    EndRename(edit);
}

// Each edit box goes back to its own procedure, whatever another process's edit box had: the
// procedure saved in one process is never called in another.
TEST_F(RenameTest, EachProcessKeepsItsOwnEditProcedure) {
    WindowSpec firstSpec = FileList("rename own 1", {"one.txt"}, {100, 100, 400, 300});
    firstSpec.ownEditProc = 1;
    WindowSpec secondSpec = FileList("rename own 2", {"two.txt"}, {450, 100, 750, 300});
    secondSpec.ownEditProc = 2;
    TargetProcess first(firstSpec);
    TargetProcess second(secondSpec);
    // 1. The first process's edit box opens in the background, then the second's in front.
    const HWND firstEdit = Rename(first, 0);
    ASSERT_TRUE(SelectionBecomes(firstEdit, L"one@0")) << "1. the first edit box";
    ASSERT_TRUE(second.Activate());
    const HWND secondEdit = Rename(second, 0);
    ASSERT_TRUE(SelectionBecomes(secondEdit, L"two@0")) << "1. the second edit box";
    // 2. The first edit box still runs its own procedure, called through ours.
    const LRESULT firstMessages = first.OwnEditProc(2);
    ::SendMessageW(firstEdit, EM_SETSEL, 0, 3);
    EXPECT_EQ(Selected(firstEdit), L"one@0") << "2. the first edit box still answers";
    EXPECT_GT(first.OwnEditProc(2), firstMessages) << "2. through its own procedure";
    Press(VK_F2);
    EXPECT_TRUE(SelectionBecomes(secondEdit, L"txt@4")) << "2. the second's F2";
    // 3. Both end, each with its own procedure in place.
    EndRename(secondEdit);
    ::SendMessageA(first.listView(), LVM_EDITLABELA, static_cast<WPARAM>(-1), 0);  // ends its rename
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(firstEdit); })) << "3. the first edit box closes";
    for (const TargetProcess* p : {&first, &second}) {
        EXPECT_EQ(p->OwnEditProc(0), 1) << "3. its own procedure was back at WM_DESTROY";
        EXPECT_EQ(p->OwnEditProc(1), 0);
    }
}

struct FoundList {
    DWORD pid;
    HWND list;
};

BOOL CALLBACK FindListOfProcess(HWND top, LPARAM param) {
    auto* found = reinterpret_cast<FoundList*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(top, &pid);
    if (pid != found->pid || !::IsWindowVisible(top)) return TRUE;
    // The file list lies a few levels down: ExplorerBrowser > SHELLDLL_DefView > SysListView32.
    HWND list = nullptr;
    ::EnumChildWindows(
        top,
        [](HWND child, LPARAM out) -> BOOL {
            char cls[64] = {};
            ::GetClassNameA(child, cls, sizeof cls);
            if (std::string(cls) != "SysListView32") return TRUE;
            *reinterpret_cast<HWND*>(out) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&list));
    if (list) found->list = list;
    return list ? FALSE : TRUE;
}

// Wine's own file browser, on a folder holding one file: selected with a click, renamed with F2.
TEST_F(RenameTest, WinesFileBrowserSelectsTheNameOfAJapaneseFile) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    // A folder of its own for each run: a browser left from an earlier run shows another one.
    const std::wstring folder = std::wstring(temp) + L"quor-rename-" + std::to_wstring(::GetTickCount());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = folder + L"\\報告書.最終.txt";
    ::CloseHandle(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::wstring cmd = L"explorer.exe /root," + folder;
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    quor::unique_handle process(pi.hProcess);
    ::CloseHandle(pi.hThread);
    FoundList found{pi.dwProcessId, nullptr};
    ASSERT_TRUE(bench::WaitFor([&] {
        ::EnumWindows(FindListOfProcess, reinterpret_cast<LPARAM>(&found));
        return found.list != nullptr && ::SendMessageW(found.list, LVM_GETITEMCOUNT, 0, 0) == 1;
    }, 30000)) << "the file browser's list";
    const RECT item = bench::ListItemRect(found.list, 0, LVIR_LABEL);
    bench::Click((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ASSERT_TRUE(bench::WaitFor([&] {
        return ::SendMessageW(found.list, LVM_GETITEMSTATE, 0, LVIS_SELECTED) == LVIS_SELECTED;
    })) << "the file is selected";
    Press(VK_F2);
    ASSERT_TRUE(bench::WaitFor([&] { return EditOf(found.list) != nullptr; })) << "F2 opens the rename";
    const HWND edit = EditOf(found.list);
    EXPECT_TRUE(SelectionBecomes(edit, L"報告書.最終@0")) << Narrow(Selected(edit));
    Press(VK_F2);
    EXPECT_TRUE(SelectionBecomes(edit, L"txt@7")) << Narrow(Selected(edit));
    EndRename(edit);
    // Closed as a person closes it, so that it leaves nothing behind for the next program.
    ::PostMessageA(::GetAncestor(found.list, GA_ROOT), WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 0);
    ::DeleteFileW(file.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

// Driving setting.exe from outside.
#include "setting_driver.h"

#include <commctrl.h>

#include <stdexcept>

#include "user_interface.h"

namespace {

// `dir`\`name`, a fresh copy of the setting.exe built beside this test.
std::string copy_of_the_tool(const std::string& dir, const std::string& name)
{
    if (!copy_built_file("setting.exe", dir, name))
        throw std::runtime_error("cannot copy setting.exe");
    return dir + "\\" + name;
}

// Memory in another process, for list-view messages whose data are pointers.
class RemoteBuffer {
public:
    RemoteBuffer(DWORD process_id, std::size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id)),
          address_(static_cast<char*>(
              VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)))
    {
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() { VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE); }

    char* at(std::size_t offset) const { return address_ + offset; }
    LPARAM lparam() const { return reinterpret_cast<LPARAM>(address_); }
    void write(const void* data, std::size_t size, std::size_t offset = 0) const
    {
        WriteProcessMemory(process_.get(), address_ + offset, data, size, nullptr);
    }
    void read(void* data, std::size_t size, std::size_t offset = 0) const
    {
        ReadProcessMemory(process_.get(), address_ + offset, data, size, nullptr);
    }

private:
    OwnedHandle process_;
    char* address_;
};

} // namespace

SettingTool::SettingTool(const std::string& dir, const std::string& name) : program_(copy_of_the_tool(dir, name), dir)
{
    if (!program_.started())
        throw std::runtime_error("cannot start " + name);
}

Message SettingTool::answer_message(int button)
{
    const HWND box = wait_for_shown_message_box(pid());
    if (!box)
        return {};
    const Message message{window_text(box), message_box_text(box)};
    PostMessageA(box, WM_COMMAND, button, 0);
    wait_until([box] { return !IsWindow(box); });
    return message;
}

HWND SettingTool::login_dialog() const
{
    return find_dialog_with(pid(), LOGIN_PASSWORD, LIST);
}

HWND SettingTool::main_dialog() const
{
    return find_dialog_with(pid(), LIST);
}

HWND SettingTool::password_dialog() const
{
    return find_dialog_with(pid(), NEW_PASSWORD, LIST);
}

HWND SettingTool::log_in(const std::string& password, Message* notice)
{
    HWND login = nullptr;
    if (!wait_until([&] { return (login = login_dialog()) != nullptr; }))
        return nullptr;
    type(login, LOGIN_PASSWORD, password);
    click(login, IDOK);
    const Message answered = answer_message();
    if (notice)
        *notice = answered;
    HWND dialog = nullptr;
    wait_until([&] { return (dialog = main_dialog()) != nullptr || ended(0); });
    return dialog;
}

void SettingTool::click(HWND dialog, int id) const
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void SettingTool::type(HWND dialog, int id, const std::string& text) const
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SettingTool::settle(HWND dialog)
{
    // Posted messages are handled in order: once the list shows this otherwise unused hover
    // time, everything posted before it has been handled.
    const HWND list = GetDlgItem(dialog, LIST);
    const auto mark = static_cast<LPARAM>(10000 + ++settle_count_);
    PostMessageA(list, LVM_SETHOVERTIME, 0, mark);
    wait_until([&] { return SendMessageA(list, LVM_GETHOVERTIME, 0, 0) == mark; });
}

std::vector<Row> SettingTool::rows(HWND dialog) const
{
    const HWND list = GetDlgItem(dialog, LIST);
    constexpr std::size_t TEXT_SIZE = 1024;
    RemoteBuffer remote(pid(), sizeof(LVITEMA) + TEXT_SIZE);
    std::vector<Row> found(static_cast<std::size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
    for (std::size_t row = 0; row < found.size(); ++row) {
        for (int column = 0; column < 2; ++column) {
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = remote.at(sizeof item);
            item.cchTextMax = TEXT_SIZE;
            remote.write(&item, sizeof item);
            const auto length = SendMessageA(list, LVM_GETITEMTEXTA, row, remote.lparam());
            std::string text(static_cast<std::size_t>(length), '\0');
            remote.read(text.data(), text.size(), sizeof item);
            found[row][static_cast<std::size_t>(column)] = text;
        }
    }
    return found;
}

int SettingTool::selected_row(HWND dialog) const
{
    return static_cast<int>(SendDlgItemMessageA(dialog, LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SettingTool::select_row(HWND dialog, int row) const
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = row < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
    RemoteBuffer remote(pid(), sizeof item);
    remote.write(&item, sizeof item);
    SendDlgItemMessageA(dialog, LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(row), remote.lparam());
}

void SettingTool::double_click_row(HWND dialog, int row) const
{
    const HWND list = GetDlgItem(dialog, LIST);
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    RemoteBuffer remote(pid(), sizeof rect);
    remote.write(&rect, sizeof rect);
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), remote.lparam());
    remote.read(&rect, sizeof rect);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
}

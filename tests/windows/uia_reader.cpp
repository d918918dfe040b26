// SPDX-License-Identifier: MIT
// Tillomar as a Windows screen reader finds it through UI Automation, from
// another process: the controls of the window in front, in the order a
// reader walks them, one per line as "ID | ROLE | NAME | DESCRIPTION" (as
// accessibility.py prints them on Linux); or, with --focus N, the ids of
// the next N controls to take the focus, as focus-changed events tell
// them. Each line is written as it is read, so that a walk cut short shows
// how far it got.
// Usage: uia_reader [--focus N]

#include <windows.h>
#include <uiautomation.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void printLine(const std::wstring &text)
{
    std::string utf8(std::size_t(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), int(utf8.size()), nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
    std::fflush(stdout);
}

// Wine 10 answers only the Ex form of the property query.
std::wstring property(IUIAutomationElement *element, PROPERTYID id)
{
    VARIANT value;
    VariantInit(&value);
    element->GetCurrentPropertyValueEx(id, FALSE, &value);
    std::wstring text = value.vt == VT_BSTR && value.bstrVal ? value.bstrVal : L"";
    VariantClear(&value);
    return text;
}

// The control's name; Qt 6.8 puts its parents' names before it.
std::wstring idOf(IUIAutomationElement *element)
{
    const std::wstring path = property(element, UIA_AutomationIdPropertyId);
    return path.substr(path.rfind(L'.') + 1);
}

// What a reader calls each kind of control; containers are walked, not read.
const wchar_t *roleOf(IUIAutomationElement *element)
{
    CONTROLTYPEID type = 0;
    element->get_CurrentControlType(&type);
    switch (type) {
    case UIA_EditControlTypeId: return L"edit";
    case UIA_TextControlTypeId: return L"label";
    case UIA_ImageControlTypeId: return L"image";
    case UIA_ButtonControlTypeId: return L"button";
    case UIA_MenuItemControlTypeId: return L"menu item";
    default: return nullptr;
    }
}

// Wine 10 has no raw-view walker; a walker over every element is the same.
void walk(IUIAutomationTreeWalker *walker, IUIAutomationElement *parent)
{
    IUIAutomationElement *child = nullptr;
    walker->GetFirstChildElement(parent, &child);
    while (child) {
        if (const wchar_t *role = roleOf(child))
            printLine(idOf(child) + L" | " + role + L" | " + property(child, UIA_NamePropertyId) + L" | "
                      + property(child, UIA_FullDescriptionPropertyId));
        walk(walker, child);
        IUIAutomationElement *next = nullptr;
        walker->GetNextSiblingElement(child, &next);
        child->Release();
        child = next;
    }
}

// COM objects are released, never deleted through their interface.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FocusRecorder : public IUIAutomationFocusChangedEventHandler
{
public:
    FocusRecorder(int count, HANDLE done) : m_left(count), m_done(done) {}
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        *object = iid == IID_IUnknown || iid == IID_IUIAutomationFocusChangedEventHandler ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(IUIAutomationElement *element) override
    {
        printLine(idOf(element));
        if (--m_left == 0)
            SetEvent(m_done);
        return S_OK;
    }

private:
    int m_left;
    HANDLE m_done;
};

} // namespace

int wmain(int argc, wchar_t *argv[])
{
    const bool focus = argc == 3 && std::wcscmp(argv[1], L"--focus") == 0;
    if (argc != 1 && !focus)
        return std::fputs("usage: uia_reader [--focus N]\n", stderr), 2;
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IUIAutomation *automation = nullptr;
    IUIAutomationElement *window = nullptr;
    if (FAILED(CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER, IID_IUIAutomation,
                                reinterpret_cast<void **>(&automation)))
        || FAILED(automation->ElementFromHandle(GetForegroundWindow(), &window)) || !window)
        return std::fputs("UI Automation gives no element for the window in front\n", stderr), 1;
    if (focus) {
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        FocusRecorder recorder(_wtoi(argv[2]), done);
        if (FAILED(automation->AddFocusChangedEventHandler(nullptr, &recorder)))
            return std::fputs("no focus-changed events\n", stderr), 1;
        printLine(L"listening");
        WaitForSingleObject(done, INFINITE);
        automation->RemoveAllEventHandlers();
    } else {
        IUIAutomationCondition *everything = nullptr;
        IUIAutomationTreeWalker *walker = nullptr;
        automation->CreateTrueCondition(&everything);
        automation->CreateTreeWalker(everything, &walker);
        walk(walker, window);
        walker->Release();
        everything->Release();
    }
    window->Release();
    automation->Release();
    CoUninitialize();
    return 0;
}

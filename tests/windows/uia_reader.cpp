// SPDX-License-Identifier: MIT
// Tillomar as a Windows screen reader finds it through UI Automation, from
// another process: the controls of the window with the caption given, in
// the order a reader walks them, one per line as "ID | ROLE | NAME |
// DESCRIPTION" (the form accessibility.py prints on Linux), of the window
// in front; or, with --focus N, the ids of the next N elements to take the
// focus, as the focus-changed events tell them. Each line is written as it
// is read, so that a walk cut short shows how far it got.
// Usage: uia_reader [--focus N]

#include <windows.h>
#include <uiautomation.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

void print(const wchar_t *text)
{
    char utf8[4096];
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::fputs(length > 0 ? utf8 : "?", stdout);
}

// What a reader calls each kind of control; containers are walked, not read.
const wchar_t *roleOf(CONTROLTYPEID type)
{
    switch (type) {
    case UIA_EditControlTypeId: return L"edit";
    case UIA_TextControlTypeId: return L"label";
    case UIA_ImageControlTypeId: return L"image";
    case UIA_ButtonControlTypeId: return L"button";
    case UIA_MenuItemControlTypeId: return L"menu item";
    default: return nullptr;
    }
}

std::wstring text(IUIAutomationElement *element, PROPERTYID property)
{
    VARIANT value;
    VariantInit(&value);
    element->GetCurrentPropertyValueEx(property, FALSE, &value);
    std::wstring result = value.vt == VT_BSTR && value.bstrVal ? value.bstrVal : L"";
    VariantClear(&value);
    return result;
}

// The control's name; Qt 6.8 puts the names of its parents before it.
std::wstring id(IUIAutomationElement *element)
{
    const std::wstring path = text(element, UIA_AutomationIdPropertyId);
    return path.substr(path.rfind(L'.') + 1);
}

void read(IUIAutomationElement *element)
{
    CONTROLTYPEID type = 0;
    element->get_CurrentControlType(&type);
    if (const wchar_t *role = roleOf(type)) {
        const std::wstring line = id(element) + L" | " + role + L" | "
                                  + text(element, UIA_NamePropertyId) + L" | "
                                  + text(element, UIA_FullDescriptionPropertyId);
        print(line.c_str());
        std::fputs("\n", stdout);
        std::fflush(stdout);
    }
}

void walk(IUIAutomationTreeWalker *walker, IUIAutomationElement *parent)
{
    IUIAutomationElement *child = nullptr;
    walker->GetFirstChildElement(parent, &child);
    while (child) {
        read(child);
        walk(walker, child);
        IUIAutomationElement *next = nullptr;
        walker->GetNextSiblingElement(child, &next);
        child->Release();
        child = next;
    }
}

// Prints each focused element's id; signals when the count is reached.
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
        if (iid != IID_IUnknown && iid != IID_IUIAutomationFocusChangedEventHandler)
            return *object = nullptr, E_NOINTERFACE;
        *object = this;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(IUIAutomationElement *element) override
    {
        print(id(element).c_str());
        std::fputs("\n", stdout);
        std::fflush(stdout);
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
    if (argc != 1 && !focus) {
        std::fputs("usage: uia_reader [--focus N]\n", stderr);
        return 2;
    }
    HWND window = GetForegroundWindow();
    if (!window) {
        std::fputs("no window is in front\n", stderr);
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IUIAutomation *automation = nullptr;
    IUIAutomationElement *root = nullptr;
    if (FAILED(CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER, IID_IUIAutomation,
                                reinterpret_cast<void **>(&automation)))
        || FAILED(automation->ElementFromHandle(window, &root)) || !root) {
        std::fputs("UI Automation gives no element for the window\n", stderr);
        return 1;
    }
    if (focus) {
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        FocusRecorder recorder(_wtoi(argv[2]), done);
        if (FAILED(automation->AddFocusChangedEventHandler(nullptr, &recorder))) {
            std::fputs("focus-changed events cannot be had\n", stderr);
            return 1;
        }
        std::fputs("listening\n", stdout);
        std::fflush(stdout);
        WaitForSingleObject(done, INFINITE);
        automation->RemoveAllEventHandlers();
    } else {
        IUIAutomationTreeWalker *walker = nullptr;
        IUIAutomationCondition *all = nullptr;
        automation->CreateTrueCondition(&all);
        automation->CreateTreeWalker(all, &walker);
        walk(walker, root);
        all->Release();
        walker->Release();
    }
    root->Release();
    automation->Release();
    CoUninitialize();
    return 0;
}

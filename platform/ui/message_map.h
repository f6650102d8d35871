// Message maps: a window class lists which member function handles which message, control
// notification or command, and inherits its base class's list. Written as the framework writes
// them:
//
//   class CMyDlg : public CDialog { ... DECLARE_MESSAGE_MAP() };
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_BN_CLICKED(1019, &CMyDlg::OnBrowse)
//       ON_NOTIFY(NM_CLICK, 1021, &CMyDlg::OnClickList)
//       ON_MESSAGE(WM_USER + 101, &CMyDlg::OnEndEdit)
//       ON_WM_DESTROY()
//   END_MESSAGE_MAP()
//
// The most derived class's entries are searched first, each list in order; the first entry that
// matches handles the message.
#pragma once

#include <functional>
#include <vector>

#include "platform/ui/geometry.h"
#include "platform/ui/messages.h"

class CWnd;

using MessageHandler = std::function<LRESULT(CWnd& window, WPARAM wParam, LPARAM lParam)>;

struct MessageMapEntry {
    UINT message;  ///< the window message; WM_COMMAND and WM_NOTIFY also match code and id
    UINT code;     ///< notification code (0 for a button click or a menu command)
    int id;        ///< control or command identifier
    MessageHandler handler;
};

struct CMessageMap {
    const CMessageMap* base;
    std::vector<MessageMapEntry> entries;
};

/// The entry that handles the message, searching the map and then its bases; null when none does.
const MessageMapEntry* FindMessageMapEntry(const CMessageMap* map, UINT message, WPARAM wParam, LPARAM lParam);

/// The object of a window handle (see CWnd::FromHandle); declared here for the entry makers.
CWnd* WindowObjectFromHandle(HWND window);

namespace message_map_detail {

template <class T>
MessageMapEntry Command(UINT code, int id, void (T::*fn)()) {
    return {WM_COMMAND, code, id, [fn](CWnd& w, WPARAM, LPARAM) -> LRESULT { (static_cast<T&>(w).*fn)(); return 0; }};
}

template <class T>
MessageMapEntry Notify(UINT code, int id, void (T::*fn)(NMHDR*, LRESULT*)) {
    return {WM_NOTIFY, code, id, [fn](CWnd& w, WPARAM, LPARAM l) -> LRESULT {
                LRESULT result = 0;
                (static_cast<T&>(w).*fn)(reinterpret_cast<NMHDR*>(l), &result);
                return result;
            }};
}

template <class T>
MessageMapEntry Message(UINT message, LRESULT (T::*fn)(WPARAM, LPARAM)) {
    return {message, 0, 0, [fn](CWnd& w, WPARAM wp, LPARAM lp) -> LRESULT { return (static_cast<T&>(w).*fn)(wp, lp); }};
}

template <class T>
MessageMapEntry Plain(UINT message, void (T::*fn)()) {
    return {message, 0, 0, [fn](CWnd& w, WPARAM, LPARAM) -> LRESULT { (static_cast<T&>(w).*fn)(); return 0; }};
}

template <class T>
MessageMapEntry WithWindow(UINT message, void (T::*fn)(CWnd*)) {
    return {message, 0, 0, [fn](CWnd& w, WPARAM wp, LPARAM) -> LRESULT {
                (static_cast<T&>(w).*fn)(WindowObjectFromHandle(reinterpret_cast<HWND>(wp)));
                return 0;
            }};
}

template <class T>
MessageMapEntry MouseAt(UINT message, void (T::*fn)(UINT, CPoint)) {
    return {message, 0, 0, [fn](CWnd& w, WPARAM wp, LPARAM lp) -> LRESULT {
                (static_cast<T&>(w).*fn)(static_cast<UINT>(wp), CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
                return 0;
            }};
}

template <class T>
MessageMapEntry WindowAt(UINT message, void (T::*fn)(CWnd*, CPoint)) {
    return {message, 0, 0, [fn](CWnd& w, WPARAM wp, LPARAM lp) -> LRESULT {
                (static_cast<T&>(w).*fn)(WindowObjectFromHandle(reinterpret_cast<HWND>(wp)), CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)));
                return 0;
            }};
}

}  // namespace message_map_detail

#define DECLARE_MESSAGE_MAP()                      \
protected:                                         \
    static const CMessageMap* GetThisMessageMap(); \
    const CMessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                         \
    const CMessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const CMessageMap* theClass::GetThisMessageMap() {                                 \
        using ThisClass [[maybe_unused]] = theClass;                                   \
        static const CMessageMap messageMap{baseClass::GetThisMessageMap(), {

#define END_MESSAGE_MAP() \
    }};                   \
    return &messageMap;   \
    }

// Commands and control notifications (WM_COMMAND). The numbers are the notification codes:
// BN_CLICKED 0, EN_CHANGE 0x0300, LBN_SELCHANGE and CBN_SELCHANGE 1, LBN_DBLCLK 2.
#define ON_COMMAND(id, memberFxn) ::message_map_detail::Command(0, id, memberFxn),
#define ON_CONTROL(code, id, memberFxn) ::message_map_detail::Command(code, id, memberFxn),
#define ON_BN_CLICKED(id, memberFxn) ::message_map_detail::Command(0, id, memberFxn),
#define ON_EN_CHANGE(id, memberFxn) ::message_map_detail::Command(0x0300, id, memberFxn),
#define ON_LBN_SELCHANGE(id, memberFxn) ::message_map_detail::Command(1, id, memberFxn),
#define ON_LBN_DBLCLK(id, memberFxn) ::message_map_detail::Command(2, id, memberFxn),
#define ON_CBN_SELCHANGE(id, memberFxn) ::message_map_detail::Command(1, id, memberFxn),
// Notifications of list views and tree views (WM_NOTIFY): void fn(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn) ::message_map_detail::Notify(code, id, memberFxn),
// Any message, handled as LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) ::message_map_detail::Message(message, memberFxn),
// Window messages with their usual handler names.
#define ON_WM_DESTROY() ::message_map_detail::Plain(WM_DESTROY, &ThisClass::OnDestroy),
#define ON_WM_KILLFOCUS() ::message_map_detail::WithWindow(WM_KILLFOCUS, &ThisClass::OnKillFocus),
#define ON_WM_LBUTTONDBLCLK() ::message_map_detail::MouseAt(WM_LBUTTONDBLCLK, &ThisClass::OnLButtonDblClk),
#define ON_WM_CONTEXTMENU() ::message_map_detail::WindowAt(WM_CONTEXTMENU, &ThisClass::OnContextMenu),

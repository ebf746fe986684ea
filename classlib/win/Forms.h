// Forms and the application object: the message loop, idle handling, the
// hint pause, application events, exception display, and the cursor slots.
#pragma once
#include "Handles.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Controls.h"
#include "Handles.h"

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter };
enum TCloseAction { caNone, caHide, caFree };

// The visible, enabled windows of this thread, disabled for a modal loop and
// enabled again (those that still exist) when the owner ends.
class TDisabledWindows {
public:
  // All of them but `keep`.
  explicit TDisabledWindows(HWND keep = nullptr);
  ~TDisabledWindows();
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
  std::vector<HWND> FWindows;
};

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  std::string ClassName() const override { return "TForm"; }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle style);
  // Switched with SetWindowPos; the window is never re-created for it.
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle style);
  TPosition Position = poDesigned;
  // The form's KeyDown sees the keys of its controls first; a key it sets
  // to 0 goes no further.
  bool KeyPreview = false;
  // The menu bar, given to the window when it is made (not owned); its
  // items' short cuts work in the form.
  TMainMenu* Menu = nullptr;
  // Hints of the controls, shown in a tooltip for the application's
  // HintHidePause.
  bool ShowHint = false;

  void Show();
  void Hide() { SetVisible(false); }
  // Shows the form with the application's other windows disabled and runs
  // messages until ModalResult is set (closing the form sets mrCancel).
  int ShowModal();
  int ModalResult = 0;
  // Tests answer modal windows without running their loop: the hook gets
  // the form and gives its modal result. An empty hook ends it.
  static void SetModalHook(std::function<int(TForm& form)> hook);
  // Asks CloseQuery, then OnClose; the main form's close ends the loop.
  void Close();
  // Frees the form once its messages are done (never inside its own handler).
  void Release();

  std::function<void(TComponent* sender, bool& canClose)> OnCloseQuery;
  std::function<void(TComponent* sender, TCloseAction& action)> OnClose;
  TKeyEvent OnKeyDown;
  // The wheel, one call a message; handled stops the default handling.
  using TMouseWheelUpDownEvent = std::function<void(TComponent* sender, TShiftState shift, POINT pos, bool& handled)>;
  TMouseWheelUpDownEvent OnMouseWheelDown, OnMouseWheelUp;
  // After every change of the form's size, by the program or the user.
  TNotifyEvent OnResize;
  void SetBounds(int left, int top, int width, int height) override;

  // The hint tooltip's text and mouse relay, and the menu's messages.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // A key message for a control of a form with KeyPreview: the form's
  // KeyDown first; true when the form took the key.
  static bool PreviewKey(MSG& msg);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  bool KeyDown(uint16_t& key, TShiftState shift) override;
  bool MouseWheel(int delta, TShiftState shift, POINT screen) override;
  void Resize() override;
  void Sized(UINT kind, int width, int height) override;
  bool CloseRequested() override;
  virtual bool CloseQuery();
  void HoverChanged(TControl* now) override;
  void ChildHintMouse(TWinControl& child, const MSG& msg) override;
  void ChildHoverChanged(TWinControl& child, TControl* now) override;
  // Where the form's own Hint holds around a client point that no control
  // covers: the client area; a form that hints per cell gives the cell, and
  // an empty rectangle shows no hint there.
  virtual RECT HintArea(POINT client);

private:
  // The form's tooltip, made on first use; null when it cannot be made.
  HWND Tooltip();
  // The mouse over the form itself: its own Hint in the area of the point.
  void OwnHintMouse(POINT client);
  // The tool of a window for its graphic controls (the form's also for the
  // form itself) takes the area and the text; a tip that shows for another
  // one is taken down.
  void SetHintTool(HWND window, const RECT& area, const std::string& text);
  void ApplyStyle();
  bool FModal = false;
  std::string FCaption;
  HWND FTooltip = nullptr;  // owned by the form's window (destroyed with it)
  std::string FHintText;  // the text handed out for a windowed control's tool
  struct THintTool {
    RECT Area;
    std::string Text;
  };
  // The tools for graphic controls, by the window they lie in (the form's
  // own is made with the tooltip).
  std::map<HWND, THintTool> FHintTools;
  std::set<HWND> FHintedWindows;  // the windowed controls the tooltip has as tools
  TFormBorderStyle FBorderStyle = bsSizeable;
  TFormStyle FFormStyle = fsNormal;
};

using TExceptionEvent = std::function<void(const std::exception& e)>;
using TIdleEvent = std::function<void(bool& done)>;

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  void Initialize() {}
  const std::string& Title() const;
  void SetTitle(const std::string& title);
  HINSTANCE Instance() const { return GetModuleHandleA(nullptr); }

  // The first form passed here is the main form; the loop ends when it closes.
  void SetMainForm(TForm* form) { if (!FMainForm) FMainForm = form; }
  TForm* MainForm() const { return FMainForm; }
  void Run();
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return FTerminated; }

  int HintHidePause = 2500;  // ms

  // Multicast events: every handler added is called; the id removes it.
  int AddOnIdle(TIdleEvent handler);
  int AddOnException(TExceptionEvent handler);
  // The main form minimised, and restored from minimised.
  int AddOnMinimize(TNotifyEvent handler);
  int AddOnRestore(TNotifyEvent handler);
  void RemoveHandler(int id);
  // Calls the idle handlers, then waits for a message when all are done
  // (the main loop and modal loops call it when their queue is empty).
  void RunIdleHandlers();
  // Told by the main form when it is minimised or comes back from it.
  void Minimize();
  void Restore();

  // Shows the exception (in a message box unless a handler takes it).
  void HandleException(const std::exception& e);
  void HandleUnknownException();
  // The one boundary of both programs: every path that runs handlers (window
  // procedures, the key preview and short cuts, idle handlers, timers, the
  // message loops) runs them through here. An exception ends here: it is
  // shown and the program goes on; false then.
  template <typename F>
  bool Guarded(F&& run) {
    try {
      run();
      return true;
    } catch (const std::exception& e) {
      ShowGuarded(&e);
    } catch (...) {
      ShowGuarded(nullptr);
    }
    return false;
  }

  // The hidden window that carries the timers.
  HWND UtilityWindow();
  UINT_PTR AddTimer(std::function<void()> tick, UINT ms);
  void RemoveTimer(UINT_PTR id);

  // Forms waiting for Release; freed at the next idle point.
  void QueueRelease(TForm* form);
  // Told by every form as it goes: the main form's end ends the loop.
  void FormDestroyed(TForm* form);

private:
  // Shows a stopped exception (null: not a std::exception); whatever the
  // showing itself raises ends here too.
  void ShowGuarded(const std::exception* e) noexcept;
  bool ProcessMessage(MSG& msg);
  void Idle();
  class TUtilityWindow;
  TForm* FMainForm = nullptr;  // owned by the program block
  bool FTerminated = false;
  int FNextId = 1;
  std::map<int, TIdleEvent> FOnIdle;
  std::map<int, TExceptionEvent> FOnException;
  std::map<int, TNotifyEvent> FOnMinimize, FOnRestore;
  bool FMinimized = false;
  TUtilityWindow* FUtility = nullptr;  // owned (a component of this)
  std::map<UINT_PTR, std::function<void()>> FTimers;
  UINT_PTR FNextTimer = 1;
  std::vector<TForm*> FReleased;  // owned until freed
  friend class TUtilityWindow;
};

// The one application object, made by Application() on first use.
TApplication& Application();

// Makes the process load the system's libraries only from the system
// folder, never from the program's own folder, where users may add files.
// A program's entry point calls it first.
void LoadLibrariesFromSystemFolder();

// The application's cursor slots (1..), each owning its cursor.
class TScreenCursors {
public:
  HCURSOR Get(TCursor slot) const;  // the arrow for 0 or an empty slot
  void Set(TCursor slot, TCursorHandle cursor);
  // A cursor resource of the program for the slot, loaded when the slot is
  // first asked for: a program sets its cursors at start-up, before any of
  // them shows.
  void SetResource(TCursor slot, const std::string& name);
  // A cursor resource of the program; an empty handle when missing.
  static TCursorHandle FromResource(const std::string& name);
  // A ".cur" or ".ani" file; an empty handle when it cannot be read.
  static TCursorHandle FromFile(const std::string& fileName);

private:
  mutable std::map<TCursor, TCursorHandle> FSlots;
  mutable std::map<TCursor, std::string> FResources;  // slots whose resource is not loaded yet
};
TScreenCursors& ScreenCursors();

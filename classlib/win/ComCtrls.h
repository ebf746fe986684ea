// The page control ("SysTabControl32", tabs in as many rows as they need,
// lit under the mouse) and its tab sheets, one window each, of which only the
// active one is shown.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "StdControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  std::string ClassName() const override { return "TTabSheet"; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  // Puts the sheet last on the page control (and makes it the sheet's parent).
  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* pageControl);
  // A hidden tab takes its sheet out of the tab row; the sheet stays a page.
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool visible);
  int PageIndex() const;
  // The index among the shown tabs, -1 while the tab is hidden.
  int TabIndex() const;
  // The sheet became the active page.
  TNotifyEvent OnShow;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;  // not owned
  std::string FCaption;
  bool FTabVisible = true;
};

class TPageControl : public TStdControl {
public:
  explicit TPageControl(TComponent* owner) : TStdControl(owner) {}
  ~TPageControl() override;
  std::string ClassName() const override { return "TPageControl"; }
  int PageCount() const { return int(FPages.size()); }
  TTabSheet* Pages(int index) const { return FPages.at(size_t(index)); }
  TTabSheet* ActivePage() const { return FActive; }
  // Shows the sheet (a sheet with a hidden tab is not shown); fires the
  // sheet's OnShow, not OnChange.
  void SetActivePage(TTabSheet* sheet);
  int ActivePageIndex() const { return FActive ? FActive->PageIndex() : -1; }
  void SetActivePageIndex(int index) { SetActivePage(index >= 0 && index < PageCount() ? Pages(index) : nullptr); }
  // The user chose another tab: OnChanging may refuse it, OnChange follows it.
  std::function<void(TComponent* sender, bool& allowChange)> OnChanging;
  TNotifyEvent OnChange;

  void SetBounds(int left, int top, int width, int height) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Sized(UINT kind, int width, int height) override { LayoutSheets(); }

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* sheet);
  void RemovePage(TTabSheet* sheet);
  // Rebuilds the tab row from the pages whose tab is visible.
  void UpdateTabs();
  // Puts every sheet over the area below the tabs.
  void LayoutSheets();
  std::vector<TTabSheet*> FPages;  // not owned (the owner frees them)
  TTabSheet* FActive = nullptr;
};

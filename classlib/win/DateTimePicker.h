// The date-time picker ("SysDateTimePick32"): a date with a drop-down
// calendar or up-down buttons, or a time of day. Windows draws and edits it.
#pragma once
#include <string>

#include "StdControl.h"
#include "SysUtils.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public TStdControl {
public:
  explicit TDateTimePicker(TComponent* owner);
  std::string ClassName() const override { return "TDateTimePicker"; }
  // Changing the kind or the mode makes the window anew.
  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind kind);
  TDTDateMode DateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode mode);
  // The whole value; Date is its day, Time its fraction of the day.
  TDateTime DateTime() const;
  void SetDateTime(TDateTime value);
  TDateTime Date() const;
  void SetDate(TDateTime date);
  TDateTime Time() const;
  void SetTime(TDateTime time);
  // The calendar is open.
  bool DroppedDown() const;
  // The user changed the value.
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void Recreate();
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  TDateTime FValue;  // until the window exists
};

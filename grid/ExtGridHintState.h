// The extended grid's hint window and the cell whose hint it shows.
#pragma once

class THintPopup;

struct TGridHintState {
  THintPopup* Popup = nullptr;  // owned by the grid as a component
  int Col = -1, Row = -1;
};

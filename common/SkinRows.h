// The rows of the launcher's page, as many as the skin lays out: both the
// launcher and the skin editor's preview and item pages hold one of each.
#pragma once
#include <tuple>

#include "brannoxskin.h"

inline constexpr int kRows = int(std::tuple_size_v<decltype(Tbxskinmainlist::Items)>);

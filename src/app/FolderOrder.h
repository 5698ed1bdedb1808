#pragma once
// The order in which the folders needing the update are offered, with or without a
// window: the dialog's list sorts itself, and a run with no window must take the
// folders in that same order.

#include "CStringArray.h"

// Appends to `offered` the folders of `catalogue` that are not in `handled` (compared
// exactly, as the dialog compares them), sorted as a sorted list box sorts its
// entries: by the user's locale, without regard to case, so "Étude" comes between
// "chimie" and "Physique". Equal entries keep the catalogue's order.
void SortOffered(const CStringArray& catalogue, const CStringArray& handled, CStringArray& offered);

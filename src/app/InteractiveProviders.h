#pragma once
// The questions of the commands answered by the real dialogs.

#include "ui/CUiProviders.h"

class QWidget;

// Percent, file, modal and colour dialogs, each owned by parent.
CUiProviders InteractiveProviders(QWidget* parent);

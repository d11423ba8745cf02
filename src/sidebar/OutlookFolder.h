#pragma once
// The records of the side bar: folders hold sub-folders, sub-folders hold
// items. The bar owns them all; hosted windows are only referenced.

#include <QIcon>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

// Item kinds, in the order the bar draws them.
enum OutlookItemKind {
    kOutlookPlain = 0,   // icon and text; text background marked when checked
    kOutlookRadio = 1,   // flat radio button and text
    kOutlookLink = 2,    // text in the link colour, hand cursor
    kOutlookCheck = 3,   // flat check box and text
    kOutlookWindow = 4,  // a hosted child window
};

// Bits of an item's command state, as the command-update handlers set them.
// An entry shows as chosen, and ignores clicks, when the check or the radio
// bit is set: handlers mark the current region either way.
enum OutlookItemState {
    kOutlookStateEnabled = 1,
    kOutlookStateChecked = 2,
    kOutlookStateRadio = 4,
};

// An entry or hosted window in a sub-folder.
struct OutlookItem {
    QString text;
    QIcon icon;  // 16 x 16, may be null
    int kind = kOutlookPlain;
    QRect rect;  // set by painting, empty when not drawn
    // Entries carry a command id; window items a height (-1 = fill the rest).
    int commandId = 0;
    int height = 0;
    QPointer<QWidget> window;  // window items only; not owned
    int lastState = 0;         // command state when last drawn
};

// A sub-folder; an empty name makes it a separator line.
struct OutlookSubFolder {
    QString name;
    int value = 0;
    QRect rect;  // header rectangle of the last paint
    std::vector<std::unique_ptr<OutlookItem>> items;
};

// A folder with its header button at the bottom of the bar.
struct OutlookFolder {
    QString name;
    QIcon icon;  // 16 x 16, may be null
    QRect rect;  // header rectangle of the last paint
    std::vector<std::unique_ptr<OutlookSubFolder>> subFolders;
    int value = 0;
};

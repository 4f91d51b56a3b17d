#pragma once
// ImageListMain: the pictures behind the image numbers that actions, menus and tree nodes
// use. A standard picture of the desktop's icon theme is taken where one fits, else one of
// our own from the resources.
#include <QIcon>

namespace pavik {

// Image numbers used by the main window.
enum ImageIndex : int {
    imgDoctypeNone = 0,
    imgDoctypeShort = 1,
    imgDoctypeLong = 2,
    imgOpenHTML = 3,
    imgSetting = 4,
    imgPrevNS4 = 5,
    imgPrevNS6 = 6,
    imgPrevIE = 7,
    imgPrevOpera = 8,
    imgNewCSS = 9,
    imgOpenCSS = 10,
    imgSave = 11,
    imgSaveAs = 12,
    imgExit = 13,
    imgCut = 14,
    imgCopy = 15,
    imgPaste = 16,
    imgUndo = 17,
    imgRefresh = 18,
    imgHelp = 19,
    imgMail = 20,
    imgHomePage = 21,
    imgAbout = 22,
    imgBBS = 23,
    imgRedo = 24,
    imgSaveHTML = 25,
    imgElementBase = 26,
    imgClassBase = 27,
    imgElementRule = 28,
    imgClassRule = 29,
    imgEditBox = 30,
    imgTreeStyle = 31,
    imgPropertySet = 32,
    imgPropertyUnset = 33,
    imgCategory = 34,
    imgCategoryOpen = 35,
    imgColorPicker = 36,
    imgDelete = 37,
    imgImportant = 38,
    imgApplyCSS = 39,
    imgPreviewMode = 40,
    imgRecentFile = 44,
    imgToolbarSetting = 51,
    imgMozilla = 54,
    imgGroup = 59,
};

// The picture of image number `index`; a null icon for a number without one.
QIcon imageListIcon(int index);

// The program's own icon.
QIcon programIcon();

}  // namespace pavik

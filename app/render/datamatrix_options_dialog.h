#pragma once
// `DMOptions`, "Data Matrix Symbology Options", as data: what its controls
// show, which frames are visible, and what accepting stores. The window
// draws it and calls these on opening, on an ECC choice and on accept.
#include <string>
#include <vector>

#include "app/model/datamatrix_options.h"

namespace quillet {

struct DmOptionsDialog {
    int eccOption = 5;      // `Option1` index 0-5
    int formatOption = 4;   // `Option2` index 0-5
    int shapeOption = 0;    // `Option3` index 0-7 (7 = fixed square size)
    int sizeIndex = 0;      // `Combo1` index 0-23
    bool translateTildes = false;
    bool formatFrameVisible = false;  // `Frame2`
    bool shapeFrameVisible = true;    // `Frame3`
    bool tildesVisible = true;        // `TranslateTildes`
};

extern const char* const kDmOptionsCaption;
extern const char* const kDmEccCaptions[6];
extern const char* const kDmFormatCaptions[6];
extern const char* const kDmShapeCaptions[8];
extern const char* const kDmTranslateTildesCaption;
// "10 X 10" ... "144 X 144".
std::vector<std::string> dmSizeList();

DmOptionsDialog openDmOptions(const DataMatrixOptions& o);
// Choosing ECC 200 shows the shape/size frame and the tilde box and hides
// the data format frame; any other code the reverse.
void chooseDmEcc(DmOptionsDialog& d, int eccOption);
void acceptDmOptions(const DmOptionsDialog& d, DataMatrixOptions& o);

}  // namespace quillet

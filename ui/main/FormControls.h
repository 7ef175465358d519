#pragma once

#include <string_view>

#include "ui/main/Picture.h"

namespace velnix {

// The controls of the main window that its logic changes after load.
enum class Control {
    Label5,            // connection status text
    lblNom,            // connection name
    lblTemps,          // connection duration
    lblVitesseD,       // download speed
    lblVitesseU,       // upload speed
    lblOctetsRecus,    // bytes received
    lblOctetsEnvoyes,  // bytes sent
    Image2,            // status picture
    CmdCon,            // connect or hang up
    Command1,          // hide into the notification area
};

// The main window as its logic sees it: its controls, its geometry in twips and its state.
class FormControls {
  public:
    virtual ~FormControls() = default;

    virtual void SetCaption(Control control, std::string_view caption) = 0;
    virtual void SetVisible(Control control, bool visible) = 0;
    virtual void SetToolTip(Control control, std::string_view tip) = 0;
    virtual void SetPicture(Control control, PictureRef picture) = 0;

    // The window's own 16x16 icon.
    virtual PictureRef Icon() const = 0;

    // The outer edges of the window, in twips, also while it is hidden.
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Height() const = 0;
    virtual void Move(int left, int top) = 0;

    // Shows the window without an owner and not modal; hides it.
    virtual void Show() = 0;
    virtual void Hide() = 0;

    virtual bool IsMinimised() const = 0;
    // Gives the window back its normal state (not minimised); a hidden window stays hidden.
    virtual void SetNormalState() = 0;
};

}  // namespace velnix

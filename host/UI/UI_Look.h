#pragma once

#include "host/UT/SYS_Visibility.h"
#include "host/UI/UI_Color.h"

class RE_Font;
class RE_Render;
class UI_Value;

// How a toolkit element draws itself: background colour, margin, font,
// the value it shows, and a flag byte whose bits switch the background
// fill (1) and the border (4) on. The toolkit calls the virtual
// operations; looks of particular kinds override them.
//
// Screen rectangles are x, y (lower left corner), w, h in window pixels.
class VANTREL_API UI_Look
{
public:
    enum
    {
        UI_LOOK_FILL = 0x01,   // the look paints its background
        UI_LOOK_BORDER = 0x04  // the look draws its border
    };

    UI_Look();
    UI_Look(const UI_Look &) = default;
    UI_Look &operator=(const UI_Look &) = default;
    virtual ~UI_Look() = default;

    virtual const char *className() const { return "UI_Look"; }

    // Minimum, preferred and maximum width and height. The base asks for
    // at least its two margins in each direction and leaves the rest.
    virtual void getPreferredSizes(int &minWidth, int &minHeight, int &prefWidth,
                                   int &prefHeight, int &maxWidth, int &maxHeight);

    // A pick pass over the rectangle (x, y, w, h) for the pick region
    // (px, py, pw, ph), in a pixel projection of the rectangle. endPicking
    // returns the number of records and restores the viewport and matrices.
    virtual void beginPicking(RE_Render *r, unsigned int *buffer, long size, short x, short y,
                              short w, short h, short px, short py, short pw, short ph);
    virtual int endPicking(RE_Render *r, unsigned int *buffer);
    // A plain look has nothing to pick.
    virtual void pickRender(RE_Render *r, short x, short y, short w, short h, void *data);
    // A plain look draws its border when the border switch is on.
    virtual void render(RE_Render *r, short x, short y, short w, short h, void *data);
    // Non-zero for looks that show a view of the scene.
    virtual int isViewLook() { return 0; }
    // Sets the viewport to the rectangle with a projection in its pixels.
    virtual void setView(RE_Render *r, short x, short y, short w, short h);

    // Flag byte switches.
    bool fillsBackground() const { return (myFlags & UI_LOOK_FILL) != 0; }
    void fillsBackground(bool on) { setFlag(UI_LOOK_FILL, on); }
    bool drawsBorder() const { return (myFlags & UI_LOOK_BORDER) != 0; }
    void drawsBorder(bool on) { setFlag(UI_LOOK_BORDER, on); }

    // The background colour, and the background shaded by amount (see
    // UI_Color::shaded): what a look paints a recessed or faded area with.
    const UI_Color &getBG() const { return myBG; }
    UI_Color getBG(float amount) const { return myBG.shaded(amount); }
    void setBG(const UI_Color &c) { myBG = c; }

    // Pixels kept free inside the rectangle; never negative.
    int getMargin() const { return myMargin; }
    void setMargin(int pixels) { myMargin = pixels > 0 ? pixels : 0; }

    // The font text is drawn with; the viewport font until one is set. The
    // font is not owned.
    void setFont(RE_Font *font) { myFont = font; }
    RE_Font *getFont() const;

    // The value the element shows; not owned.
    void setValueReference(UI_Value *value) { myValue = value; }
    UI_Value *getValueReference() const { return myValue; }

    // A one-pixel bevel around the rectangle: lighter on the top and left,
    // darker on the bottom and right. Nothing for an empty rectangle.
    void renderBorder(RE_Render *r, short x, short y, short w, short h) const;

protected:
    // The two ends of every pick pass, for looks that set up their own
    // view in between. openPickPass locks the context and saves its
    // viewport and projection; closePickPass ends the context's picking,
    // puts both back and returns the number of records. The context stays
    // locked: the caller unlocks it when it is done.
    static void openPickPass(RE_Render &r);
    static int closePickPass(RE_Render &r, unsigned int *buffer);

private:
    void setFlag(unsigned char bit, bool on)
    {
        myFlags = static_cast<unsigned char>(on ? (myFlags | bit) : (myFlags & ~bit));
    }

    UI_Color myBG;
    int myMargin = 0;
    unsigned char myFlags = UI_LOOK_FILL;
    RE_Font *myFont = nullptr;
    UI_Value *myValue = nullptr;
};

#ifndef GUI_SnapshotImage_h
#define GUI_SnapshotImage_h

#include "host/UT/SYS_Visibility.h"

class TIL_TextureMap;

// A still picture of a viewport with the frame it was taken at, which the
// viewport can show over itself again. The image is only referred to: it
// belongs to whoever captured it and is never freed here.
class VANTREL_API GUI_SnapshotImage
{
public:
    GUI_SnapshotImage() = default;
    GUI_SnapshotImage(const GUI_SnapshotImage &other) = default;
    GUI_SnapshotImage &operator=(const GUI_SnapshotImage &other) = default;

    const char *className() const { return "GUI_SnapshotImage"; }

    TIL_TextureMap *getImage() const { return myImage; }
    void setImage(TIL_TextureMap *image) { myImage = image; }

    int getFrame() const { return myFrame; }
    void setFrame(int frame) { myFrame = frame; }

    float getBlendAlpha() const { return myBlendAlpha; }
    void setBlendAlpha(float alpha) { myBlendAlpha = alpha; }

    // When set, the viewport leaves the image out at the frame it was taken.
    bool getHideAtSourceFrame() const { return (myFlags & HIDE_AT_SOURCE_FRAME) != 0; }
    void setHideAtSourceFrame(bool hide)
    {
        myFlags = hide ? (myFlags | HIDE_AT_SOURCE_FRAME) : (myFlags & ~HIDE_AT_SOURCE_FRAME);
    }

private:
    static constexpr unsigned HIDE_AT_SOURCE_FRAME = 0x1;

    TIL_TextureMap *myImage = nullptr;
    int myFrame = 0;
    float myBlendAlpha = 1.0f;
    unsigned myFlags = 0;
};

#endif

#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/RE/RE_DrawingState.h"
#include "host/RE/RE_FrameStats.h"
#include "host/RE/RE_Types.h"
#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_Vector3.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

class RE_Font;
class RE_Light;
class RE_Material;
class RE_NativeContext;
class RE_Shader;
class TIL_TextureMap;
class UT_Color;

// The OpenGL half of the render context: every drawing operation, over a
// compatibility-profile GL (immediate mode, display lists, the selection
// buffer, fixed-function lights and fog, pixel rasters).
//
// The context keeps its own record of all the state callers read back or
// push and pop; readers use the record and never ask GL. Each change is sent
// to GL only while the context's native context is current. Without one the
// record (and the journal) is still kept, so logic can be exercised with no
// GL at all.
//
// The record is in parts, each kept by its own sources: the drawing state,
// one RE_DrawingState value (RE_OGLRenderStyle.cpp, and the surface, light
// switch and texture setters of RE_OGLRenderArrays.cpp,
// RE_OGLRenderLights.cpp and RE_OGLRenderImage.cpp); matrices and viewport
// (RE_OGLRenderMatrix.cpp); lights (RE_OGLRenderLights.cpp); and display
// objects (RE_OGLRenderObjects.cpp, RE_OGLRenderBuffers.cpp).
// RE_OGLRenderShadow.cpp keeps the copy of what GL holds, in which the
// drawing state is one such value too, and sends each group of it only
// when GL lacks it.
//
// Matrices follow the utility library: points are row vectors on the left,
// p' = p * M, and the memory layout is the one glLoadMatrixf takes.
class VANTREL_API RE_OGLRender
{
public:
    RE_OGLRender();
    virtual ~RE_OGLRender();
    RE_OGLRender(const RE_OGLRender &) = delete;
    RE_OGLRender &operator=(const RE_OGLRender &) = delete;

    // ---- Native context -------------------------------------------------
    // Binds the context to a native one (or unbinds with null). When the
    // native context is current, the whole record is sent to GL and the
    // viewport and screen mask are set to its full surface.
    void setNativeContext(RE_NativeContext *native);
    RE_NativeContext *getNativeContext() const { return myNative; }
    // The viewport and screen mask become the native context's full
    // surface, as it is now: for a window whose surface changed size, which
    // the narrowing screen masks of later viewports could never widen again.
    void fitToSurface();
    bool hasNativeContext() const { return myNative != nullptr; }
    // Puts the record back to its initial state (empty stacks, identity
    // matrices, full-surface viewport, nothing enabled) and sends it to GL.
    // Display objects, lights' definitions and the journal are kept.
    void resetState();
    // True while GL calls go out: bound and the native context is current.
    bool isGLActive() const;

    // Brackets work done outside a frame: makes the native context current
    // and holds the context's lock; the unlock makes current again whichever
    // native context was current at the matching lock. Calls nest.
    void lockContextForRender();
    void unlockContextAfterRender();
    int getLockDepth() const { return myLockDepth; }

    // ---- Journal --------------------------------------------------------
    // While on, every operation appends one line: its name and its
    // arguments separated by blanks ("setColor 0.1 0.2 0.3 1").
    void setJournal(bool on) { myJournalOn = on; }
    bool isJournalOn() const { return myJournalOn; }
    const std::vector<std::string> &getJournal() const { return myJournal; }
    void clearJournal() { myJournal.clear(); }

    // ---- Matrices -------------------------------------------------------
    // 1 selects the viewing matrix, other values the projection. The
    // projection setters (ortho2DW, ortho3DW, window3DW) change the
    // projection whatever the mode and leave the mode alone.
    void matrixMode(int mode);
    int getMatrixMode() const { return myMatrix.mode; }
    // Each push saves both matrices and the mode; the matching pop brings
    // all three back. The argument is accepted for symmetry with callers.
    void pushMatrix(int which = RE_MATRIX_VIEWING);
    void popMatrix(int which = RE_MATRIX_VIEWING);
    int getMatrixDepth() const { return static_cast<int>(myMatrixStack.size()); }
    void loadMatrix(const UT_Matrix4 &m);
    // Puts m's effect before the current one (object transform first):
    // current = m * current.
    void multiplyMatrix(const UT_Matrix4 &m);
    void loadIdentityMatrix();
    // The projection for 0 and 2, the viewing matrix for 1. While picking
    // the projection includes the narrowing to the pick region.
    UT_Matrix4 getAMatrix(int which) const;
    // Rotation by degrees about 'x', 'y' or 'z' (upper case too), applied
    // before the current matrix like multiplyMatrix.
    void rotate(float degrees, char axis);
    void ortho2DW(float l, float r, float b, float t);
    void ortho3DW(float l, float r, float b, float t, float n, float f);
    // Perspective frustum; left, right, bottom and top at the near plane.
    void window3DW(float l, float r, float b, float t, float n, float f);

    // ---- Viewport and screen mask (inclusive pixel corners) -------------
    void viewport2DS(short x1, short x2, short y1, short y2);
    void getViewport2DS(short *x1, short *x2, short *y1, short *y2) const;
    void getViewport2DS(short &x1, short &x2, short &y1, short &y2) const;
    // The viewport and screen mask are saved and restored together.
    void pushViewport();
    void popViewport();
    // The screen mask is the scissor rectangle.
    void screenMask2DS(short x1, short x2, short y1, short y2);
    void getScreenMask2DS(short *x1, short *x2, short *y1, short *y2) const;
    void getScreenMask2DS(short &x1, short &x2, short &y1, short &y2) const;

    // ---- Mapping --------------------------------------------------------
    // The world points on the near and far planes under window position
    // (x, y), for the given viewport (inclusive corners), projection and
    // world-to-view transform. Returns 0 on success, non-zero when the
    // viewport is empty or the matrices cannot be inverted.
    int mapWorld(float x, float y, short x1, short x2, short y1, short y2,
                 const UT_Matrix4 &projection, const UT_Matrix4 &transform,
                 float &nearX, float &nearY, float &nearZ,
                 float &farX, float &farY, float &farZ) const;
    // The window position of world point p. Returns 0 on success, non-zero
    // for an empty viewport or a point in the camera's plane.
    int mapScreen(const UT_Vector3 &p, short x1, short x2, short y1, short y2,
                  const UT_Matrix4 &projection, const UT_Matrix4 &transform,
                  float &sx, float &sy) const;

    // ---- Drawing state as a whole ----------------------------------------
    // What the setters below change, as one value (matrices, viewport and
    // lights aside): two drawings run under the same state when theirs
    // compare equal.
    const RE_DrawingState &getDrawingState() const { return myDrawing; }

    // ---- Colour and style -----------------------------------------------
    void setColor(const UT_Color &c, float alpha = 1.0f);
    void setColor(float r, float g, float b, float a = 1.0f);
    void getColor(float rgba[4]) const;
    void pushColor();
    void pushColor(const UT_Color &c, float alpha = 1.0f);
    void popColor();
    // A vertex colour inside a primitive; outside one it sets the colour.
    void c4DW(float r, float g, float b, float a);
    void c4DW(const float rgba[4]) { c4DW(rgba[0], rgba[1], rgba[2], rgba[3]); }

    // Line styles are RE_LineStyle codes (0 solid, 3 dashed).
    void pushLineStyle(int style);
    void popLineStyle();
    int getLineStyle() const { return myDrawing.lineStyle; }
    void pushLineWidth(float width);
    void popLineWidth();
    float getLineWidth() const { return myDrawing.lineWidth; }
    void smoothBlendLines(int on);
    bool isLineSmoothing() const { return myDrawing.lineSmooth; }

    void blend(int on);
    bool isBlending() const { return myDrawing.blend.on; }
    // Blending on with (source alpha, one minus source alpha); a non-zero
    // second argument makes it additive (source alpha, one). Off restores
    // nothing but the on/off switch.
    void blendAlpha(int on, int additive = 0);
    // Sets the remembered blending switch without telling GL, for callers
    // that read back what GL holds after letting it change behind the
    // record (display lists).
    void rememberBlending(int on);
    void pushBlendState();
    void popBlendState();
    void setBlendFunction(RE_BlendSourceFactor src, RE_BlendDestFactor dst);
    void getBlendFunction(RE_BlendSourceFactor *src, RE_BlendDestFactor *dst) const;
    void getBlendFunction(RE_BlendSourceFactor &src, RE_BlendDestFactor &dst) const;

    void setColorMask(bool r, bool g, bool b, bool a);
    void getColorMask(bool rgba[4]) const;
    void enableColorBufferWriting() { setColorMask(true, true, true, true); }
    void disableColorBufferWriting() { setColorMask(false, false, false, false); }
    // 0 flat shading, 1 smooth (interpolated) shading.
    void interpMode(int smooth);
    int getInterpMode() const { return myDrawing.interpMode; }

    // ---- Primitives -----------------------------------------------------
    void beginLine();   // a connected strip
    void endLine();
    void beginLines();  // separate segments, two vertices each
    void endLines();
    // A filled convex polygon. The argument is a hint only (1 when the
    // polygon is placed in 3D); the drawing is the same.
    void beginPolygon(int in3D = 0);
    void endPolygon();
    bool isInPrimitive() const { return myPrimitive != 0; }
    void vertex2DW(float x, float y);
    void vertex3DW(float x, float y, float z);
    void v2DW(const float v[2]) { vertex2DW(v[0], v[1]); }
    void v2DW(float x, float y) { vertex2DW(x, y); }
    void v3DW(const float v[3]) { vertex3DW(v[0], v[1], v[2]); }
    void v3DW(float x, float y, float z) { vertex3DW(x, y, z); }
    void v3DW(const UT_Vector3 &v) { vertex3DW(v.x(), v.y(), v.z()); }
    void t2DW(float s, float t);
    void t2DW(const float st[2]) { t2DW(st[0], st[1]); }
    void fogCoord(float f);
    // Rectangle outline in world coordinates at z = 0.
    void rect2DW(float x1, float y1, float x2, float y2);
    // Filled box in window pixels, inclusive corners; matrices untouched.
    void boxf2DS(short x1, short y1, short x2, short y2);

    // ---- Text -----------------------------------------------------------
    // Text is drawn at the raster position set by textMoveW/textMove3W in
    // the current colour (the colour in force at the move).
    void textMoveW(float x, float y);
    void textMove3W(float x, float y, float z);
    void textMove3W(const UT_Vector3 &p) { textMove3W(p.x(), p.y(), p.z()); }
    static RE_Font &getViewportFont();
    // Whole pixels for a length in inches on a 96 dots-per-inch screen.
    static int inchesToPixels(float inches);

    // ---- Depth, stencil, winding ----------------------------------------
    int isZbuffer() const { return myDrawing.zTest ? 1 : 0; }
    // Depth test on or off; a non-zero second argument also clears the
    // depth buffer when turning it on.
    void enableZbuffer(int on, int clearDepth = 0);
    void setZFunction(int func); // RE_CompareFunc
    int getZFunction() const { return myDrawing.zFunc; }
    void polygonOffset(int on);
    int isPolygonOffset() const { return myDrawing.polygonOffset ? 1 : 0; }
    void setOffsetAmount(float factor, float units);
    void getOffsetAmount(float &factor, float &units) const;
    void setSFunction(int func, int ref, int mask); // RE_CompareFunc
    void getSFunction(int &func, int &ref, int &mask) const;
    // Reverse winding makes clockwise faces the front faces.
    void setReverseWinding(bool reverse);
    bool getReverseWinding() const { return myDrawing.reverseWinding; }

    // ---- Fog ------------------------------------------------------------
    // mode is an RE_FogMode; density is used by the exponential modes and
    // start, end by the linear one.
    void enableFog(int mode, float density, float start, float end,
                   const UT_Vector3 &rgb, float alpha = 0.0f);
    void disableFog();
    bool isFogOn() const { return myDrawing.fog.on; }
    // With fog coordinates on, fog follows fogCoord instead of depth.
    void useFogCoord(bool on);
    bool isFogCoordOn() const { return myDrawing.fog.useCoord; }

    // ---- Lights ---------------------------------------------------------
    void toggleLighting(int on);
    bool isLighting() const { return myDrawing.lighting; }
    void setSpecular(bool on);
    bool isSpecular() const { return myDrawing.specular; }
    // Gives the light one of the eight GL light slots and its colours. A
    // normalized definition scales the colour so its largest channel is 1.
    // False when every slot is taken or the light is null.
    bool defineLight(RE_Light *light, bool normalized = false);
    bool isLightDefined(const RE_Light *light) const;
    void deNormalizeLightDefinition(RE_Light *light);
    // Frees the light's slot (switching it off first).
    void undefineLight(RE_Light *light);
    // Switches a light on or off, defining it first when needed; a light
    // switched on is placed under the current viewing matrix.
    void setLightState(RE_Light *light, bool on);
    bool isLightOn(const RE_Light *light) const;

    // ---- Cached drawing -------------------------------------------------
    // A display object records the drawing between start and end and
    // replays it with drawObject. Ids are positive and stay valid until
    // deleted; -1 means none could be started (one is being defined).
    int startObjectDefine();
    void endObjectDefine();
    void drawObject(int id);
    void deleteObject(int id);
    bool isObject(int id) const;
    // The display objects alive in this context's name space (smart ones
    // included); a number that stays flat while a scene redraws unless
    // objects leak.
    int getNumLiveObjects() const { return static_cast<int>(myTable->objects.size()); }
    // The sets of buffer objects those objects replay arrays from; equal
    // arrays share one, so it stays flat too.
    int getNumLiveArrayBuffers() const;
    // Bytes of vertices and indices those buffers hold, and bytes of arrays
    // display lists were given to copy: a mesh cached from arrays is in the
    // first only.
    long getArrayBufferBytes() const;
    long getListArrayBytes() const;
    bool isDefiningObject() const { return myDefining >= 0; }
    // A smart object is a display object that also remembers the shaders
    // and textures it used, and is marked dirty when one of them changes.
    int startSmartObjectDefine();
    bool endSmartObjectDefine();
    bool isSmartObjectDirty(int id) const;
    void deleteSmartObject(int id);
    const std::vector<int> &getShadersUsedBySmartObject(int id) const;
    // Forgets the shaders gathered by the last smart-object definition.
    void deletePendingShadersFromSmartObjectCreation();
    // Records a shader as used by the object being defined and binds it.
    void bindBuiltInUniforms(RE_Shader *shader, int binding);
    // A non-zero word tells callers not to build display objects.
    void setDisplayObjectSuppression(uint16_t word) { mySuppression = word; }
    uint16_t getDisplayObjectSuppression() const { return mySuppression; }

    // ---- Picking --------------------------------------------------------
    // Starts a selection pass filling buffer (size entries) with one record
    // per hit: name count, minimum and maximum depth, then the names. Every
    // projection set until endPicking is narrowed to the pick rectangle
    // (px, py, pw, ph) in window pixels.
    void beginPicking(unsigned int *buffer, long size,
                      short px, short py, short pw, short ph);
    // Ends the pass and returns the number of records in the buffer (those
    // that fitted when it overflowed).
    int endPicking(unsigned int *buffer = nullptr);
    bool isPicking() const { return myPick.on; }
    // The pick rectangle of the pass under way, in window pixels.
    void getPickRegion(short &x, short &y, short &w, short &h) const
    {
        x = myPick.x, y = myPick.y, w = myPick.w, h = myPick.h;
    }
    void pushPickId(int id);
    void popPickId();
    int getPickDepth() const { return static_cast<int>(myPick.names.size()); }

    // ---- Images ---------------------------------------------------------
    // 0 switches texturing off; other values are texture indices given by
    // RE_Texture2DMap::getIndex.
    void useTexture2D(unsigned int index);
    unsigned int getTexture2D() const { return myDrawing.texture; }
    // Draws an RGBA image (rows bottom to top) with its lower left corner
    // at (x, y) of the current coordinates, zoomed by zoomRaster.
    void displayRaster(float x, float y, const TIL_TextureMap *image,
                       const void *reserved = nullptr);
    void displayRaster(float x, float y, int width, int height,
                       const uint8_t *rgba);
    // Pixel zoom; a negative zy takes zx.
    void zoomRaster(float zx, float zy);
    void getRasterZoom(float &zx, float &zy) const;
    bool isFloatZoomSupported() const { return myFloatZoom; }
    void setFloatZoomSupported(bool on) { myFloatZoom = on; }
    // Copies a window rectangle of the front buffer into the back buffer;
    // nothing for a single-buffered context.
    void copyToBack(short x, short y, short w, short h);

    // ---- Frame and queries ----------------------------------------------
    void setClearColor(float r, float g, float b, float a = 1.0f);
    void setClearColor(const UT_Color &c, float alpha = 1.0f);
    // Clears colour and depth (inside the screen mask).
    void clear();
    void clearZ();
    // Sends queued GL work; a non-zero argument also waits for it.
    void flush(int wait);
    // RE_DisplayMode bits.
    int getMode() const { return myMode; }
    void setMode(int mode) { myMode = mode; }
    // RE_Extension codes; false without GL.
    bool hasGLExtension(int code) const;

    // ---- Surfaces, points, normals, materials -----------------------------
    // Which faces are culled: RE_CullFace.
    void setCullFace(int mode);
    int getCullFace() const { return myDrawing.cullFace; }
    // How polygons are rasterised: RE_PolygonMode.
    void setPolygonMode(int mode);
    int getPolygonMode() const { return myDrawing.polygonMode; }
    void pushPointSize(float size);
    void popPointSize();
    float getPointSize() const { return myDrawing.pointSize; }
    // Separate points and separate triangles in immediate mode.
    void beginPoints();
    void endPoints();
    void beginTriangles();
    void endTriangles();
    // The normal of the vertices that follow (lit drawing).
    void n3DW(float x, float y, float z);
    // Lit drawing takes its surface from the material; null goes back to
    // the current colour as the surface colour. The values are copied.
    void setMaterial(const RE_Material *material);
    bool hasMaterial() const { return myDrawing.material.on; }

    // ---- Arrays ---------------------------------------------------------
    // Draws count vertices of primitive type prim (RE_PrimitiveType) from
    // client arrays: positions (3 floats a vertex), optional normals (3)
    // and colours (4). With indices, draws indexCount indexed vertices
    // instead. Inside a display-object definition GL copies the arrays
    // into the object. Bad arguments (no positions, a negative count, an
    // index past count) draw nothing.
    void drawArrays(int prim, const float *positions, const float *normals,
                    const float *colors, int count,
                    const unsigned int *indices = nullptr, int indexCount = 0);
    // Outside definitions and pick passes, drawings other than line strips
    // of more indices (or, without indices, vertices) than this go to GL in
    // pieces of this many, so that GL's copies stay small.
    static int drawPieceElements();

    // ---- Drawing many objects together -----------------------------------
    // Objects kept as arrays and replayed one after another under one state,
    // one camera and one set of lights are deferred, and go to GL together
    // before the next thing that draws or depends on GL's state. A run seen
    // again with the same objects, whose transforms stayed the same for the
    // stable count, is drawn from buffers holding all of them transformed:
    // one call instead of one per object. An object that moves is drawn on
    // its own (in its place in the run) until it is still again.
    // Code that reads or shows the frame with GL itself calls drawDeferred
    // first (sendPendingState does too).
    void drawDeferred();
    void setBatching(bool on);
    bool isBatching() const { return myBatching; }
    // How many runs an object's transform must stay the same before it is
    // drawn with the rest of its run.
    void setBatchStableRuns(int runs) { myBatchStableRuns = runs < 1 ? 1 : runs; }
    int getBatchStableRuns() const { return myBatchStableRuns; }
    // Off unless asked for: runs drawn together whose members are closed
    // surfaces seen from outside, opaque and depth tested, leave out the
    // faces turned away from the eye. That roughly halves what GL draws,
    // but changes a few pixels along outlines, where the depth buffer
    // cannot tell such a face from the one in front and the face drawn
    // first would have kept the pixel.
    void setBatchCulling(bool on) { myBatchCulling = on; }
    bool isBatchCulling() const { return myBatchCulling; }
    // Runs kept with buffers of their own, and the bytes those hold: flat
    // while a still scene redraws.
    int getNumLiveBatches() const;
    long getBatchBytes() const;

    // The number of errors GL has flagged since the last call (clearing
    // them); 0 without GL. For tests and diagnostics.
    int drainGLErrors();

    // ---- Code that calls GL itself ----------------------------------------
    // The context sends a change only when GL does not hold the value
    // already, and sends matrices and light placements when something is
    // drawn. Code drawing with GL directly calls sendPendingState first, and
    // forgetGLState after it changed GL state itself: the next operation
    // then sends the whole record again.
    void sendPendingState();
    void forgetGLState();

    // ---- Frame statistics -----------------------------------------------
    // The record of the frame being drawn: the context counts cached
    // replays, cache builds and the triangles and lines of its array draws
    // (a replay counts what its object holds); callers add objects drawn
    // and time. resetFrameStats starts a new frame.
    RE_FrameStats &getFrameStats() { return myStats; }
    const RE_FrameStats &getFrameStats() const { return myStats; }
    void resetFrameStats() { myStats = RE_FrameStats(); }

    // ---- Shared display objects -----------------------------------------
    // Makes this context use other's display-object records: one name space
    // for contexts whose GL contexts share objects. Only while this context
    // holds none of its own.
    void shareObjectsWith(RE_OGLRender &other);
    bool sharesObjectsWith(const RE_OGLRender &other) const
    {
        return myTable == other.myTable;
    }

protected:
    // Text output for RE_Render.
    void drawGlyphs(RE_Font &font, const char *text, int count);

    // Journal writers; they return at once while the journal is off.
    void journal(const char *op)
    {
        if (myDefineFromArrays)
            noteDefinedCall(op);
        if (myJournalOn)
            appendJournal(op, {});
    }
    void journal(const char *op, std::initializer_list<double> args)
    {
        if (myDefineFromArrays)
            noteDefinedCall(op);
        if (myJournalOn)
            appendJournal(op, args);
    }
    void journalText(const char *op, const char *text);

private:
    struct MatrixState
    {
        UT_Matrix4 projection;
        UT_Matrix4 viewing;
        int mode = RE_MATRIX_VIEWING;
    };
    struct ViewportState
    {
        short vx1 = 0, vx2 = 639, vy1 = 0, vy2 = 479;
        short mx1 = 0, mx2 = 639, my1 = 0, my2 = 479;
    };
    struct LightSlot
    {
        int slot = 0;
        bool normalized = false;
        bool on = false;
        // Where it was switched on: its position under that viewing matrix.
        float position[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        UT_Matrix4 placedUnder;
        // What GL holds for the slot, when known.
        bool glKnown = false;
        bool glOn = false;
        float glPosition[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        UT_Matrix4 glPlacedUnder;
    };
    struct GLShadow;
    // Runs of objects drawn together (RE_OGLRenderBatch.cpp): the run being
    // deferred, and the runs kept with merged buffers.
    struct BatchRun;
    struct BatchMember;
    struct Batch;
    // Arrays kept in GL buffer objects, shared by the objects that drew the
    // same arrays (RE_OGLRenderBuffers.cpp).
    struct ArrayBuffer;
    // One drawing of a display object replayed from buffer objects: the
    // arrays and the record's drawing state when it was drawn.
    struct ArrayDraw
    {
        std::shared_ptr<const ArrayBuffer> arrays;
        std::shared_ptr<const GLShadow> state;
    };
    struct ObjectInfo
    {
        bool smart = false;
        long triangles = 0; // what a replay sends
        long lines = 0;
        // The state groups the object's drawing sets in GL, and the values
        // it leaves them at (null when it sets none).
        unsigned sets = 0;
        std::shared_ptr<const GLShadow> leaves;
        // Smart objects only: the shaders and textures the definition used,
        // and whether a texture changed since (the object must be rebuilt).
        std::vector<int> shaders;
        std::vector<unsigned int> textures;
        bool dirty = false;
        // An object whose definition drew only arrays under plain state
        // changes replays those drawings (kept only then) from buffer
        // objects: cheaper than a display list, whose replay costs GL as
        // much again as a small drawing. Its list then holds no vertices;
        // a replay inside another definition draws the arrays into that.
        std::vector<ArrayDraw> arrayDraws;
        // Bytes of arrays GL copied into the list.
        long listArrayBytes = 0;
        // The kept runs it is a member of (their buffers go when it does).
        int batched = 0;
    };
    // Display objects by id. GL hands out small ids in order, so they index
    // a vector: the objects of a frame are looked up (every one of them,
    // every frame) in memory laid out as they were made. Other ids (those
    // made without GL) are hashed.
    class ObjectMap
    {
    public:
        ObjectInfo *find(int id);
        const ObjectInfo *find(int id) const;
        // The object with the id, made when missing.
        ObjectInfo &operator[](int id);
        void erase(int id);
        size_t size() const { return myCount; }
        bool empty() const { return myCount == 0; }
        template <typename F>
        void forEach(F f)
        {
            for (size_t id = 0; id < myDense.size(); ++id)
                if (myLive[id])
                    f(int(id), myDense[id]);
            for (auto &entry : mySparse)
                f(entry.first, entry.second);
        }

    private:
        static bool isDense(int id) { return id >= 0 && id < (1 << 20); }
        std::vector<ObjectInfo> myDense;
        std::vector<bool> myLive;
        std::unordered_map<int, ObjectInfo> mySparse;
        size_t myCount = 0;
    };
    // Display objects of one name space, shared by the contexts in it.
    struct ObjectTable
    {
        ObjectMap objects;
        int nextRecordOnlyId = 1;
        // Buffer objects by a hash of their arrays.
        std::unordered_multimap<uint64_t, std::weak_ptr<ArrayBuffer>> arrayPool;
        // The drawing state recorded last: objects defined one after another
        // usually share it.
        std::shared_ptr<const GLShadow> lastArrayState;
        // Runs of objects drawn together, with their buffers; the clock
        // counts runs drawn, to drop those not seen for long.
        std::vector<std::unique_ptr<Batch>> batches;
        uint64_t batchClock = 0;
    };
    struct PickState
    {
        bool on = false;
        bool selecting = false; // GL is in selection mode
        unsigned int *buffer = nullptr;
        long size = 0;
        short x = 0, y = 0, w = 1, h = 1;
        std::vector<int> names;
        int namesInGL = 0;
    };

    // Ids handed out while no GL context is current live far above the ids
    // GL gives, so the two never meet.
    static const int ourRecordOnlyIdBase = 1 << 24;
    // Every state stack refuses deeper nesting: it can only come from pushes
    // without pops, which must not grow the stacks without bound.
    static constexpr size_t ourMaxStackDepth = 1024;

    void appendJournal(const char *op, std::initializer_list<double> args);
    // True when GL calls may go out now. On the first call after the native
    // context was made current again, the whole record is sent first: the
    // changes made meanwhile reached only the record.
    bool glReady();
    void syncToGL();
    void sendDrawingState();
    // The same without the viewport: what a display list may set.
    void sendDrawingGroups();
    void sendPolygonOffset();
    void sendMatrices();
    // Puts GL's matrix mode back to the record's after work on the other one.
    void sendMatrixMode();
    void sendMatrixChange(const UT_Matrix4 &step);
    void sendViewport();
    void sendBlend();
    void sendLineStyle();
    void sendFog();
    void sendSpecular();
    // Culling, polygon mode, point size and material.
    void sendSurfaceState();
    // Adds drawn triangles and lines to the frame, or to the object being
    // defined.
    void countSent(long triangles, long lines);
    void sendLight(const RE_Light *light, const LightSlot &slot);
    void setProjection(const UT_Matrix4 &p);
    void applyColor(const char *op, float r, float g, float b, float a);
    // Open and close a GL primitive (a GL primitive code). A begin while
    // another primitive is open, or an end of one that is not open, is
    // dropped: GL would flag it as an error.
    void beginPrimitive(int prim, std::initializer_list<double> args = {});
    void endPrimitive(int prim);
    // Whether a change of a state group (an RE_StateGroup bit)
    // must go to GL. Inside a definition always: it is compiled into the
    // object, which then sets the group when replayed. Elsewhere only when
    // GL does not hold the value already (same tells whether the value
    // GL is known to hold equals the record's).
    bool mustSend(unsigned group, bool same);
    // Copies into the GL copy after a send outside a definition.
    bool sendingToGL() const { return myDefining < 0; }
    // Matrices and light placements are sent just before GL draws.
    void sendBeforeDrawing();
    void sendLights();
    void sendColor();
    void sendLineWidth();
    void sendLineSmooth();
    void sendBlendOn();
    void sendBlendFunction();
    void sendColorMask();
    void sendShadeModel();
    void sendDepthTest();
    void sendDepthFunction();
    void sendOffsetAmount();
    void sendStencil();
    void sendWinding();
    void sendFogOn();
    void sendLighting();
    void sendTexture();
    void sendCulling();
    void sendPolygonMode();
    void sendPointSize();
    void sendMaterial();
    void sendGLMatrixMode(int glMode);
    // The record's values of every group, as a replayed object leaves them.
    std::shared_ptr<const GLShadow> captureRecord() const;
    void captureRecordInto(GLShadow &s) const;
    // Sets the record's drawing state (not matrices nor viewport) from s.
    void loadDrawingState(const GLShadow &s);
    // Sends the drawing state GL lacks when a replay or a deferred switch
    // left GL behind the record; every GL operation that depends on that
    // state calls it first.
    void sendStateBehind();
    // Keeps a definition replayable from arrays while it calls only
    // operations that set plain state or draw arrays.
    void noteDefinedCall(const char *op);
    // Buffer objects holding the arrays, from the pool when equal ones exist.
    std::shared_ptr<const ArrayBuffer> shareArrays(int prim, const float *positions,
                                                   const float *normals, const float *colors,
                                                   int count, const unsigned int *indices,
                                                   int indexCount);
    void recordArrayDraw(int prim, const float *positions, const float *normals,
                         const float *colors, int count, const unsigned int *indices,
                         int indexCount);
    // Inside a definition: compiles the drawings into its list, each under
    // its own state, and leaves GL at the record after them.
    void compileArrayDraws(const std::vector<ArrayDraw> &draws);
    void bindArrays(const ArrayBuffer &arrays);
    // Binds the buffers and draws what they hold.
    void drawBufferArrays(const ArrayBuffer &arrays);
    // Unbinds buffer objects and switches client arrays off, so that arrays
    // given by pointer are read from memory.
    void releaseArrays();
    // Deletes the buffer objects the object alone still uses.
    void releaseArrayDraws(ObjectInfo &info);
    // Small drawings outside definitions go to GL from buffer objects kept
    // for the last few array sets drawn, so that many objects of one
    // geometry bind once instead of GL copying the same arrays for each
    // (RE_OGLRenderStream.cpp). False when the arrays are too large.
    bool drawStreamed(int prim, const float *positions, const float *normals,
                      const float *colors, int count, const unsigned int *indices,
                      int indexCount);
    void deleteStreams();
    // Defers a replay into the run under way (starting one, or drawing the
    // run first when the object cannot join it). False when the object
    // must be replayed at once.
    bool deferReplay(int id, const ObjectInfo &info);
    // The kept run matching a group of the deferred run, brought up to
    // date with it (counts of unchanged transforms, buffers built or
    // patched); null when the group is too short to keep.
    Batch *keepRun(const std::vector<ArrayDraw> &draws, const std::vector<BatchMember> &members);
    // Draws one group of the deferred run: stretches held by its kept run
    // together, the others one by one, in order.
    void drawGroup(const std::vector<ArrayDraw> &draws, const std::vector<BatchMember> &members,
                   const UT_Matrix4 &base);
    void buildBatch(Batch &batch);
    void patchBatch(Batch &batch, size_t member);
    // Draws members [first, end) of a kept run from its buffers.
    void drawBatchRange(const Batch &batch, size_t first, size_t end);
    void deleteBatch(Batch &batch);
    // Drops the kept runs an object deleted belonged to.
    void dropBatchesOf(int id);
    void replayDraws(const std::vector<ArrayDraw> &draws);
    // Sends a recorded drawing state to GL, the record staying as it is.
    void sendDrawingStateOf(const RE_DrawingState &state);
    // Whether two drawings draw the same arrays under the same state.
    static bool sameDrawing(const ArrayDraw &a, const ArrayDraw &b);
    // Draws from the client arrays set up, large drawings a piece at a time
    // so that GL holds one piece's copies (RE_OGLRenderPieces.cpp).
    void drawClientArrays(int prim, int count, const unsigned int *indices, int indexCount);
    // A matrix change inside a definition: outside the definition's own
    // pushes it is one the object makes when replayed.
    void noteDefinedMatrixChange();
    UT_Matrix4 &currentMatrix();
    UT_Matrix4 pickMatrix() const;
    // Opens a display object definition; its id, or -1.
    int startDefine(bool smart);
    // Closes it; false when GL reported an error while compiling it.
    bool endDefine();
    int countPickRecords(int glHits) const;

    // Process-wide notifications from lights and textures.
    friend class RE_Light;
    friend class RE_Texture2DMap;
    static void lightDeleted(const RE_Light *light);
    static void textureChanged(unsigned int index);
    static std::vector<RE_OGLRender *> &liveRenders();

    RE_NativeContext *myNative = nullptr;
    unsigned mySyncStamp = 0;
    std::recursive_mutex myLock;
    int myLockDepth = 0;
    // The native context current at each open lock.
    std::vector<RE_NativeContext *> myLockPrevious;

    bool myJournalOn = false;
    std::vector<std::string> myJournal;

    MatrixState myMatrix;
    std::vector<MatrixState> myMatrixStack;
    // The viewing matrix since the last push, as the product of the
    // multiplications made since (valid only while nothing else changed
    // it): an object's own transform, apart from the camera it is under.
    UT_Matrix4 myStep;
    bool myStepValid = false;
    // Nothing multiplied since the push (myStep is not set then).
    bool myStepIdentity = false;
    // Adds a viewing-matrix multiplication to the step since the push.
    void noteStep(const UT_Matrix4 &m);
    ViewportState myViewport;
    std::vector<ViewportState> myViewportStack;

    // The record's drawing state; the stacks hold what pushes saved of it.
    RE_DrawingState myDrawing;
    std::vector<float> myColorStack; // four floats per entry
    std::vector<int> myLineStyleStack;
    std::vector<float> myLineWidthStack;
    std::vector<RE_DrawingState::Blend> myBlendStack;
    std::vector<float> myPointSizeStack;

    int myPrimitive = 0; // GL primitive being built, 0 when none

    std::map<const RE_Light *, LightSlot> myLights;

    std::shared_ptr<ObjectTable> myTable;
    // What GL holds, as far as the context knows.
    std::unique_ptr<GLShadow> myGL;
    // State groups set by the definition under way, and its matrix pushes.
    unsigned myDefineSets = 0;
    int myDefineMatrixDepth = 0;
    int myDefining = -1;
    bool myDefiningSmart = false;
    bool myDefineFromArrays = false;
    // GL's drawing state may differ from the record (see sendStateBehind).
    bool myStateBehind = false;
    // The buffer objects bound for arrays: one of ours, none with client
    // arrays off (clean), or unknown (neither).
    struct StreamedArrays;
    std::vector<std::unique_ptr<StreamedArrays>> myStreams;
    size_t myNextStream = 0;
    const ArrayBuffer *myBoundArrays = nullptr;
    bool myArraysClean = false;
    // The recorded drawing state GL holds since the last replay from arrays,
    // while nothing has been sent since; null when unknown.
    std::shared_ptr<const GLShadow> myGLStateFrom;
    std::vector<int> myPendingShaders;
    std::unique_ptr<BatchRun> myRun;
    bool myBatching = true;
    int myBatchStableRuns = 2;
    bool myBatchCulling = false;
    uint16_t mySuppression = 0;

    PickState myPick;

    RE_FrameStats myStats;

    float myZoomX = 1.0f, myZoomY = 1.0f;
    bool myFloatZoom = true;
    float myClearColor[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    int myMode = RE_MODE_RGB | RE_MODE_DOUBLE | RE_MODE_ZBUFFER | RE_MODE_ALPHA;
};

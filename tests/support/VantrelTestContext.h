#pragma once

#include "host/RE/RE_OffscreenContext.h"
#include "host/RE/RE_Render.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vantrel_test
{
// Size of the shared offscreen context.
const int theContextSize = 128;

// The test program's one offscreen context, made on first use and kept to
// the end; null when no context can be made on this machine.
RE_OffscreenContext *offscreen();
// Why offscreen() gave null; empty otherwise.
const std::string &offscreenError();

// Pixel test fixture: skips the test when no context can be had, and
// otherwise makes the shared context current with its render context reset
// (identity matrices, full viewport, nothing enabled, journal off) and the
// frame cleared to black. A fixture adds its own scene in setUpScene and
// takes it down in tearDownScene, both called only when there is a
// context; a test fails when it leaves a GL error behind.
class PixelTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    virtual void setUpScene() {}
    virtual void tearDownScene() {}

    RE_OffscreenContext *context() const { return myContext; }
    RE_Render *render() const { return myContext ? myContext->getRender() : nullptr; }

    // A pixel in window coordinates (origin lower left).
    std::vector<int> pixel(int x, int y) const;
    // Whether the pixel at (x, y) is within tol of (r, g, b); with
    // around, whether it or one of its eight neighbours is (lines that
    // fall on pixel edges may land on either side).
    bool pixelIs(float x, float y, int r, int g, int b, int tol = 3, bool around = false) const;
    bool nearPixelIs(float x, float y, int r, int g, int b, int tol = 3) const
    {
        return pixelIs(x, y, r, g, b, tol, true);
    }
    // Pixels of the frame that are not black.
    int countNotBlack() const;
    // The window position of a world point under the loaded matrices and
    // viewport; false when it has none.
    bool windowPoint(const UT_Vector3 &p, float &sx, float &sy) const;

private:
    RE_OffscreenContext *myContext = nullptr;
};

// Pixel test in window pixels: an orthographic projection of the whole
// context, one unit a pixel with depth from -10 to 10, and the identity
// view.
class WindowPixelTest : public PixelTest
{
protected:
    void setUpScene() override;

    // A square facing +z (GL's default normal) with its lower left corner
    // at (x, y); every corner carries the fog coordinate fog when it is not
    // negative.
    void square(float x, float y, float size, float fog = -1.0f);
};

// The journal lines of a render context whose operation is op (op alone,
// or op and then a blank), their number, and the position of the first at
// or after from (-1 when none).
std::vector<std::string> journalLines(const RE_Render &r, const std::string &op);
// The journal lines of any of the operations, in journal order.
std::vector<std::string> journalLines(const RE_Render &r, std::initializer_list<std::string> ops);
int journalCount(const RE_Render &r, const std::string &op);
int journalIndex(const RE_Render &r, const std::string &op, int from = 0);
// The numbers that follow the operation of a journal line.
std::vector<double> journalArgs(const std::string &line);

// The names of each of the count records of a pick buffer, outermost
// first, in buffer order.
std::vector<std::vector<unsigned>> pickNames(const unsigned *buffer, int count);

// True when an RGBA pixel is within tol of (r, g, b) in every channel.
bool isNear(const uint8_t rgba[4], int r, int g, int b, int tol = 2);
bool isNear(const std::vector<int> &rgba, int r, int g, int b, int tol = 2);

// Number of pixels of an RGBA image (4 bytes each) that differ from
// (r, g, b) by more than tol in some channel.
int countNotColor(const std::vector<uint8_t> &image, int r, int g, int b, int tol = 2);

// Number of pixels in which two RGBA images of the same size differ by more
// than tol in some channel; -1 when the sizes differ.
int countDifferent(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b, int tol = 0);
}

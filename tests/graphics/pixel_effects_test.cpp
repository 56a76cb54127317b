#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "graphics/pixel_effects.h"

namespace kav {
namespace {

BitmapImage filled(int32_t w, int32_t h, Pixel p) {
    BitmapImage image;
    EXPECT_TRUE(image.allocate(w, h));
    for (Pixel& q : image.pixels) q = p;
    return image;
}

TEST(ImageSize, NonPositiveAndHugeSizesAllocateNothing) {
    BitmapImage image;
    for (auto [w, h] : {std::pair{0, 5}, std::pair{5, -1}, std::pair{INT32_MAX, 2}, std::pair{8192, 8192}}) {
        EXPECT_FALSE(image.allocate(w, h)) << w << "x" << h;
        EXPECT_TRUE(image.pixels.empty());
        EXPECT_EQ(image.width, 0);
    }
    EXPECT_TRUE(image.allocate(1, 1));
}

TEST(Brightness, ScalesEachComponentAndSaturates) {
    BitmapImage image = filled(2, 1, pixelOf(200, 100, 1));
    image.at(1, 0) = 0xAB000000 | pixelOf(3, 255, 0);
    ASSERT_TRUE(scaleBrightness(image, 150));
    EXPECT_EQ(image.at(0, 0), pixelOf(255, 150, 1));
    // The fourth byte is no colour and stays.
    EXPECT_EQ(image.at(1, 0), 0xAB000000 | pixelOf(4, 255, 0));

    image = filled(1, 1, pixelOf(200, 99, 255));
    ASSERT_TRUE(scaleBrightness(image, 50));
    EXPECT_EQ(image.at(0, 0), pixelOf(100, 49, 127));
    ASSERT_TRUE(scaleBrightness(image, 0));
    EXPECT_EQ(image.at(0, 0), 0u);

    // The product of a byte and the largest percent does not overflow.
    image = filled(1, 1, pixelOf(1, 0, 255));
    ASSERT_TRUE(scaleBrightness(image, INT32_MAX));
    EXPECT_EQ(image.at(0, 0), pixelOf(255, 0, 255));
}

TEST(Brightness, NegativePercentChangesNothing) {
    BitmapImage image = filled(3, 3, pixelOf(10, 20, 30));
    const BitmapImage before = image;
    EXPECT_FALSE(scaleBrightness(image, -1));
    EXPECT_FALSE(scaleBrightness(image, INT32_MIN));
    EXPECT_EQ(image.pixels, before.pixels);
}

TEST(Grey, WeightsTheComponents) {
    BitmapImage image = filled(4, 1, pixelOf(255, 0, 0));
    image.at(1, 0) = pixelOf(0, 255, 0);
    image.at(2, 0) = pixelOf(0, 0, 255);
    image.at(3, 0) = pixelOf(255, 255, 255);
    greyScale(image);
    EXPECT_EQ(image.at(0, 0), pixelOf(54, 54, 54));
    EXPECT_EQ(image.at(1, 0), pixelOf(182, 182, 182));
    EXPECT_EQ(image.at(2, 0), pixelOf(18, 18, 18));
    EXPECT_EQ(image.at(3, 0), pixelOf(255, 255, 255));
}

TEST(Binarise, TheFirstThresholdIsBlues) {
    BitmapImage image = filled(1, 1, pixelOf(150, 50, 200));
    binarise(image, {100, 100, 100});
    EXPECT_EQ(image.at(0, 0), pixelOf(255, 0, 255));

    // Strictly above: a component equal to its threshold goes dark, and each
    // threshold reaches its own component only.
    image = filled(1, 1, pixelOf(10, 20, 30));
    binarise(image, {.blue = 29, .green = 20, .red = 10});
    EXPECT_EQ(image.at(0, 0), pixelOf(0, 0, 255));
    image = filled(1, 1, pixelOf(0, 255, 0));
    binarise(image, {-1, INT32_MAX, INT32_MIN});
    EXPECT_EQ(image.at(0, 0), pixelOf(255, 0, 255));
}

// A square of side 2r + 1, black but for marked pixels.
BitmapImage square(int32_t r) { return filled(2 * r + 1, 2 * r + 1, 0); }

TEST(Rotate, QuarterTurnGoesCounterClockwise) {
    BitmapImage image = square(3);
    const Pixel mark = pixelOf(255, 0, 0);
    image.at(3 + 3, 3) = mark;  // right of the centre, at the edge
    image.at(3, 3) = pixelOf(0, 255, 0);
    ASSERT_TRUE(rotateSquare(image, 90));
    EXPECT_EQ(image.at(3, 0), mark);  // now above the centre
    EXPECT_EQ(image.at(6, 3), 0u);
    EXPECT_EQ(image.at(3, 3), pixelOf(0, 255, 0));
    // Nothing else on the lines through the centre takes the mark.
    for (int32_t k = 0; k < 7; ++k) {
        if (k != 0) {
            EXPECT_NE(image.at(3, k), mark) << k;
        }
        EXPECT_NE(image.at(k, 3), mark) << k;
    }

    // Another quarter turn takes it to the left.
    ASSERT_TRUE(rotateSquare(image, 90));
    EXPECT_EQ(image.at(0, 3), mark);
}

TEST(Rotate, SmallAndFullTurns) {
    BitmapImage one = filled(1, 1, pixelOf(1, 2, 3));
    ASSERT_TRUE(rotateSquare(one, 30));
    EXPECT_EQ(one.at(0, 0), pixelOf(1, 2, 3));

    BitmapImage image = square(4);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<Pixel>(i * 2654435761u) & 0xFFFFFF;
    const BitmapImage before = image;
    ASSERT_TRUE(rotateSquare(image, 0));
    EXPECT_EQ(image.pixels, before.pixels);
    // A full turn with the short constant leaves sin a hair below zero: the
    // rows and column through the centre stay, other offsets may truncate
    // onto a neighbour.
    ASSERT_TRUE(rotateSquare(image, 360));
    for (int32_t k = 0; k < 9; ++k) {
        EXPECT_EQ(image.at(k, 4), before.at(k, 4)) << k;
        EXPECT_EQ(image.at(4, k), before.at(4, k)) << k;
    }
}

TEST(Rotate, CornersWithoutASourceKeepTheirColour) {
    BitmapImage image = filled(7, 7, pixelOf(0, 0, 255));
    const Pixel corner = pixelOf(9, 9, 9);
    image.at(0, 0) = corner;
    image.at(6, 6) = corner;
    // At 45 degrees the corners' sources lie outside the square.
    ASSERT_TRUE(rotateSquare(image, 45));
    EXPECT_EQ(image.at(0, 0), corner);
    EXPECT_EQ(image.at(6, 6), corner);
    EXPECT_EQ(image.at(3, 3), pixelOf(0, 0, 255));
}

TEST(Rotate, OnlySquaresOfOddSide) {
    BitmapImage even = filled(4, 4, 7);
    BitmapImage wide = filled(5, 3, 7);
    BitmapImage empty;
    EXPECT_EQ(squareRadius(even), -1);
    EXPECT_EQ(squareRadius(wide), -1);
    EXPECT_EQ(squareRadius(empty), -1);
    EXPECT_EQ(squareRadius(square(2)), 2);
    EXPECT_FALSE(rotateSquare(even, 90));
    EXPECT_FALSE(rotateSquare(wide, 90));
    EXPECT_FALSE(rotateSquare(empty, 90));
    EXPECT_EQ(even.pixels, filled(4, 4, 7).pixels);
}

}  // namespace
}  // namespace kav

#pragma once
// A fresh headless window system and application for every test
// (THeadlessApplication), and a few helpers to make forms, look at what they
// painted and send them input.

#include "support/HeadlessApplication.h"

#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

#include <optional>

class HeadlessApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { FApplication.emplace(); }
    void TearDown() override { FApplication.reset(); }

    THeadlessBackend& Backend() { return FApplication->Backend(); }
    // A shown form owned by the application, at (x, y) with the given size.
    TForm* NewForm(int x = 100, int y = 100, int w = 200, int h = 150,
                   TFormBorderStyle border = TFormBorderStyle::bsNone) {
        TForm* form = Application().CreateForm<TForm>();
        form->SetBorderStyle(border);
        form->SetBounds(x, y, w, h);
        return form;
    }
    // The presented pixel at window coordinates (x, y), as TColor.
    TColor WindowPixel(TCustomForm* form, int x, int y) {
        THeadlessImage image = Backend().Framebuffer(form->ScreenWindow());
        uint32_t p = image.Pixel(x, y);
        return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }
    // Clicks at screen coordinates and handles the events.
    void ClickAt(int x, int y) {
        Backend().Click(x, y);
        Application().ProcessMessages();
    }
    void Key(int vk) {
        Backend().TypeKey(vk);
        Application().ProcessMessages();
    }

private:
    std::optional<THeadlessApplication> FApplication;
};

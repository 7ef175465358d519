#include "platform/windows/main/MainLayout.h"

#include <array>

#include "common/Errors.h"

namespace velnix::windows_platform {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(64, 64, 64);
constexpr COLORREF kReceptionGreen = RGB(128, 255, 128);
constexpr COLORREF kSendingRed = RGB(255, 0, 0);

constexpr TwipsBox kFrame1{120, 780, 1920, 915};
constexpr TwipsBox kFrame2{2160, 780, 1920, 915};

constexpr TwipsBox In(const TwipsBox& frame, TwipsBox box) {
    return {frame.left + box.left, frame.top + box.top, box.width, box.height};
}

using enum ControlKind;
using S = Sizing;

const std::array kLayout{
    ControlSpec{100, Picture, L"", {120, 0, 720, 720}, 0, 0, S::Fixed, {}, nullptr, nullptr},
    ControlSpec{101,
                Label,
                L"Connexion :",
                {480, 120, 1275, 255},
                kWhite,
                SS_RIGHT,
                S::Fixed,
                {},
                nullptr,
                nullptr},
    ControlSpec{102,
                Label,
                L"",
                {1920, 120, 2085, 225},
                kWhite,
                SS_LEFT,
                S::FromLeft,
                Control::lblNom,
                nullptr,
                nullptr},
    ControlSpec{
        103, Label, L"", {2580, 60, 45, 225}, kGrey, SS_LEFT, S::FromLeft, {}, nullptr, nullptr},
    ControlSpec{104,
                Label,
                L"Connexion établie depuis :",
                {840, 420, 2115, 255},
                kWhite,
                SS_RIGHT,
                S::Fixed,
                Control::Label5,
                nullptr,
                nullptr},
    ControlSpec{105,
                Label,
                L"00:00:00",
                {3000, 420, 1035, 255},
                kWhite,
                SS_LEFT,
                S::Fixed,
                Control::lblTemps,
                nullptr,
                nullptr},
    ControlSpec{
        106, Frame, L"Réception", kFrame1, kReceptionGreen, 0, S::Fixed, {}, nullptr, nullptr},
    ControlSpec{107, Label, L"", In(kFrame1, {930, 300, 75, 225}), kReceptionGreen, SS_CENTER,
                S::FromCentre, Control::lblOctetsRecus, nullptr, nullptr},
    ControlSpec{108,
                Label,
                L"Vitesse :",
                In(kFrame1, {120, 600, 615, 255}),
                kReceptionGreen,
                SS_LEFT,
                S::Fixed,
                {},
                nullptr,
                nullptr},
    ControlSpec{109, Label, L"0", In(kFrame1, {780, 600, 105, 225}), kReceptionGreen, SS_LEFT,
                S::FromLeft, Control::lblVitesseD, nullptr, nullptr},
    ControlSpec{110, Frame, L"Envoi", kFrame2, kSendingRed, 0, S::Fixed, {}, nullptr, nullptr},
    ControlSpec{111, Label, L"", In(kFrame2, {930, 300, 75, 225}), kSendingRed, SS_CENTER,
                S::FromCentre, Control::lblOctetsEnvoyes, nullptr, nullptr},
    ControlSpec{112,
                Label,
                L"Vitesse :",
                In(kFrame2, {120, 600, 615, 255}),
                kSendingRed,
                SS_LEFT,
                S::Fixed,
                {},
                nullptr,
                nullptr},
    ControlSpec{113, Label, L"0", In(kFrame2, {780, 600, 105, 225}), kSendingRed, SS_LEFT,
                S::FromLeft, Control::lblVitesseU, nullptr, nullptr},
    ControlSpec{114,
                Canvas,
                L"",
                {120, 1740, 1920, 795},
                RGB(0, 255, 0),
                0,
                S::Fixed,
                {},
                nullptr,
                nullptr},
    ControlSpec{115,
                Canvas,
                L"",
                {2160, 1740, 1920, 795},
                RGB(255, 0, 0),
                0,
                S::Fixed,
                {},
                nullptr,
                nullptr},
    ControlSpec{116,
                Picture,
                L"",
                {120, 2640, 300, 300},
                0,
                0,
                S::Fixed,
                Control::Image2,
                nullptr,
                nullptr},
    ControlSpec{117,
                Button,
                L"Se connecter",
                {600, 2640, 1455, 375},
                0,
                0,
                S::Fixed,
                Control::CmdCon,
                nullptr,
                &TenalineFrm::CmdConClick},
    ControlSpec{118,
                Button,
                L"Masquer",
                {2160, 2640, 975, 375},
                0,
                0,
                S::Fixed,
                Control::Command1,
                L"Masquer dans la barre des tâches",
                &TenalineFrm::Command1Click},
    ControlSpec{119,
                Button,
                L"Quitter",
                {3240, 2640, 855, 375},
                0,
                0,
                S::Fixed,
                {},
                L"Quitter Velnix",
                &TenalineFrm::Command2Click},
};

}  // namespace

std::span<const ControlSpec> MainLayout() { return kLayout; }

const ControlSpec& SpecOf(int id) {
    for (const ControlSpec& spec : kLayout) {
        if (spec.id == id) return spec;
    }
    throw OutOfRangeError("contrôle inconnu");
}

RECT PixelRect(const TwipsBox& box, UINT dpi) {
    const int left = TwipsToPixelsAt(box.left, dpi);
    const int top = TwipsToPixelsAt(box.top, dpi);
    return {left, top, left + TwipsToPixelsAt(box.width, dpi),
            top + TwipsToPixelsAt(box.height, dpi)};
}

}  // namespace velnix::windows_platform

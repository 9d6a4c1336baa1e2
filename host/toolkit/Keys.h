#pragma once

#include <QKeySequence>
#include <cstdint>

class QKeyEvent;

// Windows virtual-key codes, the key values the forms' key handlers see.
enum : uint16_t {
  VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12,
  VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24,
  VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E,
  VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F, VK_F1 = 0x70
};

// Shift state of a key or mouse event.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;

// Mouse button of a mouse event, as the forms' mouse handlers see it.
enum TMouseButton { mbLeft, mbRight, mbMiddle };
TMouseButton MouseButtonOf(Qt::MouseButton button);

// Menu shortcut value: virtual key in the low byte plus modifier bits.
using TShortCut = uint16_t;
enum : TShortCut { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);
// 0 when the key has no virtual-key code.
uint16_t VirtualKeyOf(const QKeyEvent& event);
int QtKeyOfVirtualKey(uint16_t vk);  // Qt::Key, 0 when unknown
// The one conversion from a layout's shortcut value to Qt: 16421 is Ctrl+Left.
QKeySequence ShortCutToKeySequence(TShortCut shortCut);

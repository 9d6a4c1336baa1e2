#include "Keys.h"

#include <QKeyEvent>

namespace {
struct KeyPair {
  uint16_t vk;
  int key;
};
constexpr KeyPair kKeys[] = {
    {VK_BACK, Qt::Key_Backspace}, {VK_TAB, Qt::Key_Tab},       {VK_RETURN, Qt::Key_Return},
    {VK_RETURN, Qt::Key_Enter},   {VK_SHIFT, Qt::Key_Shift},   {VK_CONTROL, Qt::Key_Control},
    {VK_MENU, Qt::Key_Alt},       {VK_ESCAPE, Qt::Key_Escape}, {VK_SPACE, Qt::Key_Space},
    {VK_PRIOR, Qt::Key_PageUp},   {VK_NEXT, Qt::Key_PageDown}, {VK_END, Qt::Key_End},
    {VK_HOME, Qt::Key_Home},      {VK_LEFT, Qt::Key_Left},     {VK_UP, Qt::Key_Up},
    {VK_RIGHT, Qt::Key_Right},    {VK_DOWN, Qt::Key_Down},     {VK_INSERT, Qt::Key_Insert},
    {VK_DELETE, Qt::Key_Delete},  {VK_TAB, Qt::Key_Backtab},
};
// Keys that carry a distinct virtual key when they come from the numeric keypad.
constexpr KeyPair kKeypad[] = {
    {VK_MULTIPLY, Qt::Key_Asterisk}, {VK_ADD, Qt::Key_Plus},   {VK_SUBTRACT, Qt::Key_Minus},
    {VK_DECIMAL, Qt::Key_Period},    {VK_DIVIDE, Qt::Key_Slash},
};
}  // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  return s;
}

uint16_t VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    for (const auto& k : kKeypad)
      if (k.key == key) return k.vk;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return uint16_t(VK_NUMPAD0 + (key - Qt::Key_0));
  }
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return uint16_t(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return uint16_t(VK_F1 + (key - Qt::Key_F1));
  for (const auto& k : kKeys)
    if (k.key == key) return k.vk;
  switch (key) {  // OEM keys on a US layout
    case Qt::Key_Plus: case Qt::Key_Equal: return 0xBB;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 0xBD;
    case Qt::Key_Comma: return 0xBC;
    case Qt::Key_Period: return 0xBE;
    case Qt::Key_Asterisk: return '8';
    default: return 0;
  }
}

int QtKeyOfVirtualKey(uint16_t vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
  if (vk >= VK_F1 && vk < VK_F1 + 24) return Qt::Key_F1 + (vk - VK_F1);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return Qt::Key_0 + (vk - VK_NUMPAD0);
  for (const auto& k : kKeypad)
    if (k.vk == vk) return k.key;
  for (const auto& k : kKeys)
    if (k.vk == vk) return k.key;
  return 0;
}

QKeySequence ShortCutToKeySequence(TShortCut shortCut) {
  const int key = QtKeyOfVirtualKey(uint16_t(shortCut & 0xFF));
  if (!key) return {};
  int combined = key;
  if (shortCut & scShift) combined |= Qt::SHIFT;
  if (shortCut & scCtrl) combined |= Qt::CTRL;
  if (shortCut & scAlt) combined |= Qt::ALT;
  const uint16_t vk = shortCut & 0xFF;
  if (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) combined |= Qt::KeypadModifier;
  return QKeySequence(combined);
}

TMouseButton MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
  }
}

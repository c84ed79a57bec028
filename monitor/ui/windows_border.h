// The "Windows Border" switch of a borderless form: a sizing frame without a title bar, or
// no frame at all.
#pragma once

namespace ui {

class Form;

// Gives the form's window a sizing frame without a title bar (`border`) or takes the frame
// away. The window is hidden meanwhile and shown again when `showAfter`; it stays a tool
// window. With the frame, the height grows by one pixel and back so that the frame is laid
// out again, and the width is kept. The form's opacity must be applied to the new frame
// afterwards (TJbBlend::Reapply).
void SetWindowsBorder(Form& form, bool border, bool showAfter);

}  // namespace ui

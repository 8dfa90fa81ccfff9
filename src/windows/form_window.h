#pragma once
// The program's one window as Windows draws it: a frameless popup, centred, painted with the
// skin at the screen's scale, carrying the picture boxes, the labels and the search field in
// their places. It turns its messages and its controls' into the window's events; what the
// events do is the caller's.

#include "windows/caption_label.h"
#include "windows/device_scale.h"
#include "windows/mouse_args.h"
#include "windows/picture_box.h"
#include "windows/scaled_picture.h"
#include "windows/search_box.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace win {

struct FormEvents {
    std::function<void(MouseArgs&)> mouseDown;
    std::function<void(MouseArgs&)> mouseMove;
    std::function<void(MouseArgs&)> previousArrowDown; // Picture4
    std::function<void(MouseArgs&)> nextArrowDown;     // Picture5
    std::function<void(std::int16_t keyCode, std::int16_t shift)> searchKeyDown;
    // The window is being closed by the system; the handler leaves the cancel flag at 0 to
    // let it close.
    std::function<void(std::int16_t& cancel)> unload;
};

class FormWindow {
public:
    // Creates the window hidden, with all its controls, at the given screen density.
    explicit FormWindow(const DeviceScale& scale);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Handle() const { return window_; }
    const DeviceScale& Scale() const { return scale_; }
    void SetEvents(FormEvents events) { events_ = std::move(events); }

    // Shows the window (it was created where it opens) and gives the search field the focus.
    void Show();
    // The pointer over the window and its controls: 11 the hourglass, anything else the
    // default arrow.
    void SetPointer(int pointer);
    int Pointer() const { return pointer_; }

    PictureBox& Picture1() { return *help_; }
    PictureBox& Picture2() { return *close_; }
    PictureBox& Picture3() { return *minimise_; }
    PictureBox& Picture4() { return *previous_; }
    PictureBox& Picture5() { return *next_; }
    SearchBox& Text1() { return *search_; }
    CaptionLabel& Label4() { return *counter_; }
    CaptionLabel& Label5() { return *cd_; }
    CaptionLabel& Label6() { return *nom_; }
    CaptionLabel& Label8() { return *description_; }

private:
    template <typename Owner>
    friend LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void CreateControls();
    void Paint();
    bool SetCursorForPointer() const;
    void Close();

    DeviceScale scale_;
    FormEvents events_;
    int pointer_ = 0;
    HWND window_ = nullptr;
    HWND focus_ = nullptr;
    ScaledPicture skin_;
    ScaledPicture litClose_;
    ScaledPicture litMinimise_;
    ScaledPicture litHelp_;
    ScaledPicture litLeft_;
    ScaledPicture litRight_;
    std::unique_ptr<SearchBox> search_;
    std::unique_ptr<CaptionLabel> counter_;
    std::unique_ptr<CaptionLabel> cd_;
    std::unique_ptr<CaptionLabel> nom_;
    std::unique_ptr<CaptionLabel> description_;
    std::unique_ptr<PictureBox> help_;
    std::unique_ptr<PictureBox> close_;
    std::unique_ptr<PictureBox> minimise_;
    std::unique_ptr<PictureBox> previous_;
    std::unique_ptr<PictureBox> next_;
};

} // namespace win

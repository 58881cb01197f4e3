#pragma once
// The window set of the program: one instance of every window class, created
// in a fixed order at start-up and reachable through the class's global
// (frmPassword for TfrmPassword ...). The login window, created first, is the
// main window. The instances live until the set is destroyed.
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class WindowSet {
public:
    explicit WindowSet(ui::Application& app);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    // The windows in creation order.
    const std::vector<std::unique_ptr<ui::Form>>& Forms() const { return forms_; }

private:
    template <class T> void Create(ui::Application& app, T*& global);
    std::vector<std::unique_ptr<ui::Form>> forms_;
    std::vector<std::function<void()>> clear_;
};

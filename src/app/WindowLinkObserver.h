// The window's side of the serial link: line-error boxes and the
// connection-lost state of the controls.
#pragma once

#include "serial/LinkObserver.h"

class MainFrame;

class WindowLinkObserver : public LinkObserver {
public:
    explicit WindowLinkObserver(MainFrame& frame) : frame_(frame) {}

    void lineErrors(std::uint32_t flags) override;
    void connectionLost() override;

private:
    MainFrame& frame_;
};

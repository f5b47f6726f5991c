#pragma once
class WindowLinkObserver {};

#pragma once
class SerialLink {};

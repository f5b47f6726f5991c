# The Windows build (cross-compiled with cmake/mingw-w64.cmake). The few files
# that speak POSIX, GTK or X11 give way to their Windows counterparts (the same
# header, a *Msw.cpp or Windows* source); everything else is the same code.
# Included by the top-level CMakeLists.txt once every target is defined.

# Drops the sources of `target` whose names match `pattern` and adds `ARGN`.
function(rovidada_windows_counterparts target pattern)
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources EXCLUDE REGEX "${pattern}")
  set_property(TARGET ${target} PROPERTY SOURCES ${sources})
  target_sources(${target} PRIVATE ${ARGN})
  # Each is compiled alone in a unity build: windows.h's macros (PARITY_NONE,
  # ERROR and the like) must not reach the shared sources.
  set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

# Windows 10 and later; no min/max macros from windows.h.
add_compile_definitions(_WIN32_WINNT=0x0A00 NOMINMAX)

rovidada_windows_counterparts(rovidada_engine
  "(^|/)(PosixSerialPort|RealClock|SerialDevicePaths|Sockets|ImageFile)\\.cpp$"
  ${CMAKE_SOURCE_DIR}/src/serial/CommDevice.cpp
  ${CMAKE_SOURCE_DIR}/src/serial/WindowsSerialPort.cpp
  ${CMAKE_SOURCE_DIR}/src/serial/RealClockMsw.cpp
  ${CMAKE_SOURCE_DIR}/src/serial/SerialDevicePathsMsw.cpp
  ${CMAKE_SOURCE_DIR}/src/serial/SocketsMsw.cpp
  ${CMAKE_SOURCE_DIR}/src/images/ImageFileMsw.cpp
  ${CMAKE_SOURCE_DIR}/src/texts/WindowsSystemText.cpp)
# So are the shared sources that see windows.h or Winsock through the serial
# port's and the sockets' headers.
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/serial/Rfc2217Port.cpp
                            ${CMAKE_SOURCE_DIR}/src/serial/TcpConnection.cpp
                            ${CMAKE_SOURCE_DIR}/src/serial/SystemPortOpener.cpp
                            PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
# arpa/inet.h for the address rules comes from Winsock.
target_include_directories(rovidada_engine PRIVATE ${CMAKE_SOURCE_DIR}/src/serial/msw)
target_link_libraries(rovidada_engine PUBLIC ws2_32 winmm)

rovidada_windows_counterparts(rovidada_cli "(^|/)Interruption\\.cpp$" ${CMAKE_SOURCE_DIR}/src/cli/InterruptionMsw.cpp)
rovidada_windows_counterparts(rovidada-de12-cli "(^|/)main\\.cpp$" ${CMAKE_SOURCE_DIR}/src/cli/mainMsw.cpp)

if(TARGET rovidada_gui) # a build of the engine and the command line alone has none
rovidada_windows_counterparts(rovidada_gui
  "(^|/)(Animations|CompactStyle|CellPictures|FileSystemPath|StatusLine|UiTurn)\\.cpp$"
  ${CMAKE_SOURCE_DIR}/src/app/AnimationsMsw.cpp
  ${CMAKE_SOURCE_DIR}/src/app/CompactStyleMsw.cpp
  ${CMAKE_SOURCE_DIR}/src/app/FileSystemPathMsw.cpp
  ${CMAKE_SOURCE_DIR}/src/app/StatusLineMsw.cpp
  ${CMAKE_SOURCE_DIR}/src/app/UiTurnMsw.cpp
  ${CMAKE_SOURCE_DIR}/src/app/buffers/CellPicturesMsw.cpp)

# The window is a GUI program (no console of its own), with its manifest
# (common controls 6: the native theme) and icon.
# The resource compiler sees wx's headers and nothing of the C++ flags.
enable_language(RC)
add_library(rovidada_windows_resources OBJECT ${CMAKE_SOURCE_DIR}/resources/rovidada-de12.rc)
target_include_directories(rovidada_windows_resources PRIVATE ${wxWidgets_INCLUDE_DIRS})
set_target_properties(rovidada-de12 PROPERTIES WIN32_EXECUTABLE TRUE)
target_sources(rovidada-de12 PRIVATE $<TARGET_OBJECTS:rovidada_windows_resources>)
endif()

# Tests: the engine's unit tests as a Windows program, run under Wine.
add_subdirectory(tests/windows)

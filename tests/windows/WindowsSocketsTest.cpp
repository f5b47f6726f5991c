// Winsock's error numbers as the RFC 2217 port's reasons: the connection
// errors that have the program's own words are known by their Winsock
// numbers (not the C library's errno values, which Windows sockets never
// report), and any other keeps the system's words and its number.
#include <gtest/gtest.h>

#include "serial/Sockets.h"

TEST(WindowsSockets, WinsockErrorsAreKnownByTheirOwnNumbers)
{
    EXPECT_EQ(socketErrorKind(WSAEWOULDBLOCK), SocketErrorKind::WouldBlock);
    EXPECT_EQ(socketErrorKind(WSAECONNREFUSED), SocketErrorKind::Refused);
    EXPECT_EQ(socketErrorKind(WSAENETUNREACH), SocketErrorKind::Unreachable);
    EXPECT_EQ(socketErrorKind(WSAEHOSTUNREACH), SocketErrorKind::Unreachable);
    EXPECT_EQ(socketErrorKind(WSAETIMEDOUT), SocketErrorKind::TimedOut);
    EXPECT_EQ(socketErrorKind(ECONNREFUSED), SocketErrorKind::Other);
    EXPECT_EQ(socketErrorKind(WSAECONNRESET), SocketErrorKind::Other);

    const std::string words = socketErrorWords(WSAECONNRESET);
    EXPECT_TRUE(words.ends_with("(Windows error 10054)")) << words;
    EXPECT_GT(words.size(), std::string("(Windows error 10054)").size()) << "the system's words come first";
}

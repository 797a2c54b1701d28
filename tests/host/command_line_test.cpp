#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string tail(const char* line) {
  const char* rest = commandLineTail(line);
  return rest ? rest : "<null>";
}

}  // namespace

TEST(CommandLineTail, SkipsTheProgramNameAndTheBlanksAroundIt) {
  EXPECT_EQ(tail("tumk.exe"), "");
  EXPECT_EQ(tail("tumk.exe a b"), "a b");
  EXPECT_EQ(tail("tumk.exe \t  a b  "), "a b  ");
  EXPECT_EQ(tail(" \ttumk.exe\ta"), "a");
  EXPECT_EQ(tail("C:\\dir\\tumk.exe /x"), "/x");
  EXPECT_EQ(tail(""), "");
  EXPECT_EQ(tail("   "), "");
}

TEST(CommandLineTail, AQuotedNameEndsAtItsClosingQuote) {
  EXPECT_EQ(tail("\"C:\\Program Files\\tumk.exe\" -a"), "-a");
  EXPECT_EQ(tail("\"C:\\Program Files\\tumk.exe\"-a"), "-a");
  EXPECT_EQ(tail("\"tumk.exe\""), "");
  EXPECT_EQ(tail("  \"a b\"  \"c d\" "), "\"c d\" ");
  EXPECT_EQ(tail("\"\" x"), "x");
}

TEST(CommandLineTail, AnUnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(tail("\"C:\\Program Files\\tumk.exe -a"), "");
  EXPECT_EQ(tail("\""), "");
}

TEST(CommandLineTail, OnlyBlanksAndTabsSeparate) {
  EXPECT_EQ(tail("tumk.exe\nx"), "");        // a newline is part of the name
  EXPECT_EQ(tail("tumk.exe \n x"), "\n x");
}

TEST(CommandLineTail, NullGivesNull) { EXPECT_EQ(commandLineTail(nullptr), nullptr); }

#pragma once
// The start screen: a picture, a prompt and three level buttons. Returns the
// level the player chooses. A notice (why the last choice could not be
// loaded) is shown in one line under the buttons when given.

#include <string>

int mainMenu(const std::wstring& notice = {});

// The level whose button holds a window position, 0 for none.
int levelButtonAt(int x, int y);

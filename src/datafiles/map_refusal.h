#pragma once
// Why a level file, or another data file, is refused: an English line for
// standard error and a Chinese one for the menu. Each reason is a pair of
// templates in the table below, where "{}" marks the details (a line number,
// a quoted token, ...) in the order they are given.

#include <initializer_list>
#include <string>

struct RefusalText
{
    const char* english;
    const wchar_t* chinese;
};

namespace refusals {

inline constexpr RefusalText cannotOpen{"cannot open the file", L"无法打开文件"};
inline constexpr RefusalText notRegular{"it is {}, not a regular file", L"它是{}，不是普通文件"};
inline constexpr RefusalText tooLargeFile{"the file is larger than {} MiB", L"文件大于{} MiB"};
inline constexpr RefusalText cannotRead{"cannot read the file", L"无法读取文件"};
inline constexpr RefusalText shortTerrain{"the terrain has only {} of its {} codes",
                                          L"地形只有{}个代码，应有{}个"};
inline constexpr RefusalText notWhole{"line {}: terrain code {} is not a whole number",
                                      L"第{}行：地形代码{}不是整数"};
inline constexpr RefusalText notNumber{"line {}: wave value {} is not a number", L"第{}行：波次数值{}不是数字"};
inline constexpr RefusalText tooLargeNumber{"line {}: wave value {} is too large", L"第{}行：波次数值{}太大"};
inline constexpr RefusalText utf8Bom{"the file starts with a byte-order mark (UTF-8)",
                                     L"文件以字节顺序标记开头（UTF-8）"};
inline constexpr RefusalText utf16Bom{"the file starts with a UTF-16 byte-order mark: it is not ASCII text",
                                      L"文件以UTF-16字节顺序标记开头：不是ASCII文本"};
inline constexpr RefusalText nonAscii{"line {}, column {}: a non-ASCII character, {}",
                                      L"第{}行第{}列：非ASCII字符{}"};
inline constexpr RefusalText control{"line {}, column {}: a control character, {}", L"第{}行第{}列：控制字符{}"};
inline constexpr RefusalText noHome{"the board has no home cell (code 2)", L"地图上没有家（代码2）"};
inline constexpr RefusalText homeUnreachable{"the home cannot be reached from the left edge over low ground",
                                             L"狼从左边沿低地走不到家"};

// Details that differ between the languages.
inline constexpr RefusalText folder{"a folder", L"文件夹"};
inline constexpr RefusalText fifo{"a named pipe (FIFO)", L"命名管道（FIFO）"};
inline constexpr RefusalText device{"a device", L"设备文件"};
inline constexpr RefusalText socket{"a socket", L"套接字"};
inline constexpr RefusalText specialFile{"a special file", L"特殊文件"};
inline constexpr RefusalText noBreakSpace{"U+00A0 (no-break space)", L"U+00A0（不换行空格）"};
inline constexpr RefusalText ideographicSpace{"U+3000 (ideographic space)", L"U+3000（全角空格）"};
inline constexpr RefusalText fullWidthDigit{"U+{} (full-width digit {})", L"U+{}（全角数字{}）"};
inline constexpr RefusalText nul{"U+0000 (NUL)", L"U+0000（空字符）"};
inline constexpr RefusalText notUtf8{"byte 0x{} (not UTF-8)", L"字节0x{}（不是UTF-8）"};

inline constexpr const RefusalText* all[] = {
    &cannotOpen, &notRegular, &tooLargeFile, &cannotRead, &shortTerrain, &notWhole, &notNumber,
    &tooLargeNumber, &utf8Bom, &utf16Bom, &nonAscii, &control, &noHome, &homeUnreachable,
    &folder, &fifo, &device, &socket, &specialFile, &noBreakSpace, &ideographicSpace,
    &fullWidthDigit, &nul, &notUtf8,
};

} // namespace refusals

// A reason with its details filled in; empty when nothing was refused.
struct Refusal
{
    std::string english;
    std::wstring chinese;
    bool empty() const { return english.empty(); }
};

// One detail of a reason: plain ASCII (a number, a quoted token), the same
// in both languages, or a reason of its own.
struct RefusalDetail
{
    RefusalDetail(const std::string& ascii);
    RefusalDetail(const char* ascii) : RefusalDetail(std::string(ascii)) {}
    RefusalDetail(long long number) : RefusalDetail(std::to_string(number)) {}
    RefusalDetail(int number) : RefusalDetail(std::to_string(number)) {}
    RefusalDetail(const RefusalText& text) : english(text.english), chinese(text.chinese) {}
    RefusalDetail(const Refusal& refusal) : english(refusal.english), chinese(refusal.chinese) {}

    std::string english;
    std::wstring chinese;
};

Refusal refuse(const RefusalText& text, std::initializer_list<RefusalDetail> details = {});

#pragma once
// Every text the player reads, in one place. The font shipped with the game
// must hold each of their characters.

namespace texts {

inline constexpr const wchar_t* windowTitle = L"Brambleholt";

inline constexpr const wchar_t* menuPrompt = L"请选择地图";
inline constexpr const wchar_t* levelButton1 = L"三猪的家";
inline constexpr const wchar_t* levelButton2 = L"二猪的家";
inline constexpr const wchar_t* levelButton3 = L"大猪的家";

inline constexpr const wchar_t* platformButton = L"[Q] 平台";
inline constexpr const wchar_t* arrowTowerButton = L"[1] 箭塔";
inline constexpr const wchar_t* iceTowerButton = L"[2] 冰箭塔";
inline constexpr const wchar_t* skunkTowerButton = L"[3] 臭鸡蛋塔";
inline constexpr const wchar_t* floodButton = L"[W] 水塘";
inline constexpr const wchar_t* slapTowerButton = L"[4] 四扇门";
inline constexpr const wchar_t* removeBuildingButton = L"[C] 拆";
inline constexpr const wchar_t* restartButton = L"重新开始";
inline constexpr const wchar_t* returnToMenuButton = L"回开始画面";

inline constexpr const wchar_t* yes = L"是";
inline constexpr const wchar_t* no = L"否";
inline constexpr const wchar_t* restartQuestion = L"确定要重新开始游戏吗？";
inline constexpr const wchar_t* returnToMenuQuestion = L"确定要回到开始画面吗？";

// Put before the reason a level file could not be loaded.
inline constexpr const wchar_t* loadFailure = L"地图无法载入：";

inline constexpr const wchar_t* all[] = {
    windowTitle, menuPrompt, levelButton1, levelButton2, levelButton3,
    platformButton, arrowTowerButton, iceTowerButton, skunkTowerButton, floodButton,
    slapTowerButton, removeBuildingButton, restartButton, returnToMenuButton,
    yes, no, restartQuestion, returnToMenuQuestion, loadFailure,
};

} // namespace texts

// "Find games": the install folder of each game of Games.ini, found by
// probing every fixed drive for the game's built-in candidate folders.
#pragma once
#include <string>
#include <vector>

class TIniFile;
class TStringList;

// The section names of Games.ini, sorted without regard to case. A name
// that a game key could not be (over MaxGameFileValue characters, or with
// control characters) is left out: it would end up in every entry of the game.
void ReadGameList(const TIniFile& gamesIni, TStringList& games);

// A value of a game's section of Games.ini, cleaned and cut as the values of
// the games' own files are (CleanGameFileValue): it ends up in Mod.ini.
std::string ReadGameValue(const TIniFile& gamesIni, const std::string& game, const std::string& key);

// Candidate list n (1..12): folders below a drive root,
// each beginning with ":\".
const std::vector<std::string>& CandidateList(int n);

// The candidate list and executable ("\quake.exe") of a game key in any
// letter case; false for a key that names no known game.
bool GameSearchData(const std::string& gameKey, const std::vector<std::string>*& rows, std::string& executable);

// Upper-case letters of the fixed drives, in letter order.
std::string FixedDriveLetters();

// The search (the Settings dialog's FindGames): writes Sijainti of each game,
// and Oletus and GameOletus of Quake. False, doing nothing, while another
// search runs.
bool FindGames(TIniFile& gamesIni);

#pragma once
// Which names a new profile may take. A profile's name is also a folder name, a file name and a
// registry key name, all three of which ignore letter case.
#include <optional>
#include <string>
#include <vector>

namespace orv {

// The message to show when `name` cannot be a new profile's name, or nullopt when it can.
// Refused: an empty name; characters a folder, file or key name cannot hold (\ / : * ? " < > |
// and control characters); names ending in a blank or a dot ("." and ".." included); the
// device names Windows reserves (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also with an
// extension); and a name equal to one of `existing` when letter case is ignored, because the two
// profiles would share one folder, one file and one subkey.
std::optional<std::wstring> ProfileNameProblem(const std::wstring& name,
                                               const std::vector<std::wstring>& existing);

} // namespace orv

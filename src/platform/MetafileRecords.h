#pragma once
// Checks of a metafile's record stream before GDI plays it. GDI trusts the records: a cut or
// damaged file makes it read past the buffer or index past its object table, which crashes the
// process. So every record must lie inside the file, object indices inside the table, point and
// text counts inside their record, and an end record must come.
#include <string_view>

namespace orv {

// `body`: a Windows metafile from its 18-byte header on (any placeable header removed).
bool WindowsMetafileIsSound(std::string_view body);

// `emf`: an enhanced metafile from its header on.
bool EnhancedMetafileIsSound(std::string_view emf);

} // namespace orv

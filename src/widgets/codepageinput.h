#pragma once

class QLineEdit;

namespace lc {

// The box refuses a character that the code page cannot hold, typed, pasted,
// dropped or composed by an input method alike: the launcher's files would keep
// it as "?". A text the program puts into the box is taken as it is, and such a
// text can still be edited (a folder name from the disk, say, to be renamed to
// one the suite can hold).
void keepToCodePage(QLineEdit* box);

} // namespace lc

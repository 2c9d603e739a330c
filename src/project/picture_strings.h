#pragma once
// Pictures held as text inside document records: the text form of a
// streamed component of class TPicture_ads whose one property,
// Picture.Data, carries the payload as hexadecimal digits:
//
//   object TPicture_ads\r\n
//     Picture.Data = {\r\n
//       0754426974...(64 digits = 32 payload bytes a line)\r\n
//       ...last digits}\r\n
//   end\r\n
//
// (a payload under 32 bytes follows the "{" directly). Payload: one byte
// class-name length n (0 = no picture), n bytes class name, then the
// picture data: TBitmap, TJPEGImage and TMetafile a 4-byte little-endian
// size and the file; TIcon and TPNGObject the file alone.
//
// Nothing here throws. Every failure returns false (or an empty text) and
// raises the error indication, which callers clear before a conversion and
// check after it. The indication is per thread.
#include <string>
#include <string_view>

#include "project/picture.h"

namespace pc::project {

// The streamed component: its one property's raw payload.
struct TPicture_ads {
  std::string PictureData;
};

// The picture text of a picture. Callers pass pictures that hold an image;
// an empty picture gives the text of the empty payload (length byte 0).
std::string PictureToString_ads(const TPicture& picture);
// Reads a picture text. On success `picture` holds the decoded picture and
// true is returned (a payload saying "no picture" gives an empty picture).
// Any other class, unknown property, malformed digit block, unknown kind or
// unreadable picture data: false, the indication raised, `picture` unchanged.
bool StringToPicture_ads(std::string_view text, TPicture& picture);

// The general conversions between a component and its text form.
std::string ComponentToString(const TPicture_ads& component);
// Accepts "object [Name:] TPicture_ads", the property Picture.Data with a
// brace-enclosed block of hex digits (blanks and line breaks between the
// digits allowed), and "end". False (indication raised) otherwise; the
// component is unchanged then.
bool StringToComponent(std::string_view text, TPicture_ads& component);

// The payload of a picture and back (used by the two above).
std::string PicturePayload(const TPicture& picture);
bool PictureFromPayload(std::string_view payload, TPicture& picture);

// The error indication.
void ClearPictureError();
bool PictureErrorRaised();
void RaisePictureError();

}  // namespace pc::project

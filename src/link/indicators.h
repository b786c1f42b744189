// The two indicators the link drives: the status lamp and the connection picture.
#pragma once

namespace avz {

enum class Lamp { Red, Lime };
// Lost: the communication-lost picture, for a link whose replies stopped.
enum class ConnectionPicture { Connected, Disconnected, Lost };

}  // namespace avz

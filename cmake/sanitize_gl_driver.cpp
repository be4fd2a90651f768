// Compiled into every program that links the core library in the sanitizer
// and fuzzing builds (see Sanitize.cmake).
//
// Mesa's GL driver keeps a small block from its first context for the whole
// process. When the last SFML GL resource goes, at exit, the driver is
// unloaded, and LeakSanitizer then finds that block unreferenced, with a
// stack of unloaded code that no suppression can name. One texture that lives
// until the process ends keeps SFML's shared context, and so the driver, in
// place: the block stays referenced and leak checking stays on for all of our
// own code.

#include <SFML/Graphics/Texture.hpp>

// Visible outside this file, so that the optimiser keeps the pointer and the
// texture stays referenced to the end.
extern const sf::Texture* const brambleholtGlDriverAnchor;
const sf::Texture* const brambleholtGlDriverAnchor = new sf::Texture;

extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}

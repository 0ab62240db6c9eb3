#include "glCurrentContext.h"

#include "glContext.h"

void glForgetCurrentContext() {
    glContext::Forget();
}

#include "testapp.h"

int main(int argc, char** argv)
{
    TestApp app(argc, argv);
    return app.Run();
}

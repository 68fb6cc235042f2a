// Loads a text and an XML asset through the engine's asset proxy from the directory given as
// the first argument, and prints what it found.
#include "gralith/gralith.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace Gralith;
using namespace Gralith::Utils;

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    std::string dir = argv[1];
    std::ofstream(dir + "/hello.txt") << "hello from data";
    std::ofstream(dir + "/demo.xml") << "<show a=\"1\" b=\"2\"><scene/><stage/></show>";

    Directory* data = new Directory(dir.c_str());
    Assets::Proxy* proxy = new Assets::Proxy(data, nullptr, nullptr, nullptr);
    data->Release();
    try {
        std::printf("text: %s\n", proxy->GetText("hello.txt", nullptr).CStr());
        auto* xml = static_cast<Assets::WrapperAsset<Xml::Element*, 11>*>(proxy->Get(11, "demo.xml", nullptr));
        Xml::Element* root = xml->GetValue();
        int attributes = 0;
        for (Xml::Attribute* a = root->GetFirstAttribute(); a; a = a->GetNextAttribute())
            ++attributes;
        std::printf("xml: %s with %d attributes, first child %s\n", root->GetName().CStr(), attributes,
                    root->GetFirstChildElement()->GetName().CStr());
    } catch (const Exception& e) {
        std::printf("failed: %s\n", e.GetMessage());
        proxy->Release();
        return 1;
    }
    proxy->Release();
    return 0;
}

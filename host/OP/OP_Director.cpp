#include "host/OP/OP_Director.h"

#include "host/OP/CH_Manager.h"

OP_Director *
OPgetDirector()
{
    static OP_Director theDirector;
    return &theDirector;
}

CH_Manager *
CH_Manager::theManager()
{
    static CH_Manager theManagerInstance;
    return &theManagerInstance;
}

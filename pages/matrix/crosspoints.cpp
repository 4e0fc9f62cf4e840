#include "pages/matrix/crosspoints.h"

#include "model/unitstate.h"
#include "protocol/transport.h"

namespace Crosspoints {

Model::ParamId on(int input, int output)
{
    static const int param = Model::Catalogue::instance().paramIndex("matrix.#.#.on");
    return Model::ParamId{param, input, output};
}

Model::ParamId gain(int input, int output)
{
    static const int param = Model::Catalogue::instance().paramIndex("matrix.#.#.gain");
    return Model::ParamId{param, input, output};
}

void send(const Model::UnitState &state, const QVector<Model::ParamId> &ids)
{
    for (const Proto::Frame &f : state.writeFrames(ids))
        sendFrame(f);
}

} // namespace Crosspoints

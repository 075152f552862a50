#pragma once

// A drawable mesh of the model library.
class Model {
public:
    virtual ~Model() = default;
    virtual void render() = 0;
    virtual void createDL4Model() = 0;
};

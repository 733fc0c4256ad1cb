-- House-credit customers, by their preferential number, with the prepaid
-- balance of those who pay in advance: prepay_amt is what they paid in, the
-- uses (and their reversals, negative) are booked per bill.

CREATE TABLE credit_customer (
    member_no      text PRIMARY KEY CHECK (member_no ~ '^[0-9]{10}$'),
    cust_no        text NOT NULL,
    cust_name      text NOT NULL,
    remark         text NOT NULL DEFAULT '',
    prepay_amt     numeric(18, 4) NOT NULL DEFAULT 0,
    -- 'Y': may only spend what was paid in advance.
    prepay_only_yn char(1) NOT NULL DEFAULT 'N' CHECK (prepay_only_yn IN ('Y', 'N')),
    contract_from  yyyymmdd NOT NULL,
    contract_to    yyyymmdd NOT NULL,
    stop_yn        char(1) NOT NULL DEFAULT 'N' CHECK (stop_yn IN ('Y', 'N')),
    CHECK (contract_from <= contract_to)
);

CREATE TABLE credit_prepay_use (
    sale_date  yyyymmdd NOT NULL,
    member_no  text NOT NULL REFERENCES credit_customer,
    seq        integer NOT NULL,
    sale_yn    char(1) NOT NULL CHECK (sale_yn IN ('Y', 'N')),
    amount     numeric(18, 4) NOT NULL,
    emp_no     text NOT NULL DEFAULT '',
    ip         text NOT NULL DEFAULT '',
    created_at timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (sale_date, member_no, seq)
);
